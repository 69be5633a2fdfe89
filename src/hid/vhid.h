/* The HID access layer: a fixed table of wanted HID interfaces, matched by identity and report
 * lengths, with arrival/removal callbacks, one reader thread per open input handle, and
 * synchronous output report writes. Usable from C and C++. */
#ifndef VHID_H
#define VHID_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VHID_MAX_DEVICES 32

/* Connection state of a registration. */
#define VHID_STATE_UNKNOWN 0
#define VHID_STATE_CONNECTED 1
#define VHID_STATE_DISCONNECTED 2

/* A platform handle: a Windows HANDLE, a Linux file descriptor or a virtual interface id. */
typedef intptr_t vhid_handle_t;
#define VHID_INVALID_HANDLE ((vhid_handle_t)-1)

/* Called on the thread that ran the connection check: the caller of vhid_set_callbacks for the
 * first check of a registration, the notification thread afterwards. No lock of the layer is
 * held while a callback runs. */
typedef void (*vhid_connected_cb_t)(void* user_data, int32_t index);
typedef void (*vhid_disconnected_cb_t)(void* user_data, int32_t index);

/* Called on the registration's reader thread for every input report of at least one byte.
 * `data` (report id first) is valid only until the callback returns. */
typedef void (*vhid_report_cb_t)(void* user_data, int32_t index, uint8_t* data, int32_t length);

/* Called on the notification thread for every device-change message. On Windows `message`,
 * `event` and `event_data` are the WM_DEVICECHANGE code, wParam and lParam; elsewhere `message`
 * is 0x0219 and `event` 0x8000 (arrival) or 0x8004 (removal), with no event data. */
typedef void (*vhid_device_change_cb_t)(void* user_data, uint32_t message, uintptr_t event,
                                        intptr_t event_data);

/* One registration. Owned by the layer; callers name it by its index. */
typedef struct device_t {
    int32_t index;
    vhid_connected_cb_t connected_cb;
    vhid_disconnected_cb_t disconnected_cb;
    vhid_report_cb_t report_cb;
    void* user_data;
    uint32_t vendor_id;
    uint32_t product_id;
    uint32_t usage_page; /* 0 matches any usage page */
    int32_t input_report_len;  /* report id byte included; 0: never reads */
    int32_t output_report_len; /* report id byte included; 0: never writes */
    int32_t state;             /* VHID_STATE_* */
    vhid_handle_t read_handle;
    vhid_handle_t write_handle;
    uint8_t* read_buffer;
} device_t;

/* Empties the table and starts the notification thread (once per process). Call before any
 * other function. Calling it again (tests) first detaches, closes and frees every registration,
 * ends the notification thread and starts a new one on the backend selected now (the virtual
 * bus after vhid_virtual_use). Not from inside a callback. */
void vhid_init(void);

/* Adds a registration and returns its index, or -1 when VHID_MAX_DEVICES exist already.
 * Makes no check and no callback. */
int32_t vhid_add_device(int32_t vendor_id, int32_t product_id, int32_t usage_page,
                        int32_t input_report_len, int32_t output_report_len);

/* Stores the callbacks and at once runs the connection check of that registration on the
 * calling thread, which calls the connected or the disconnected callback unless the interface
 * list cannot be made. Arrival and removal re-check a registration only from then on, so this
 * first callback is never taken by the notification thread. Ignored for an index that is
 * negative or not below the count. */
void vhid_set_callbacks(int32_t index, vhid_connected_cb_t connected_cb,
                        vhid_disconnected_cb_t disconnected_cb, vhid_report_cb_t report_cb,
                        void* user_data);

/* Detaches the callbacks of a registration: once this returns, none of its callbacks is running
 * or will run (unless called from inside one of them, where only the others are waited for).
 * The registration keeps its handles and state. Ignored for a bad index. */
void vhid_detach(int32_t index);

/* Sets the observer of every device-change message (null to remove it). */
void vhid_set_device_change_callback(vhid_device_change_cb_t callback, void* user_data);

/* Writes one output report of the registration's output report length, synchronously. Reads at
 * most `length` bytes from `data`: a shorter report is padded with zeros. Returns the number of
 * bytes written, 0 when the write failed, or -1 for a bad index, a length below 1 or a
 * registration without an open write handle. */
int32_t vhid_write(int32_t index, const uint8_t* data, int32_t length);

/* Cancels the device-notification registration; nothing else. */
void vhid_terminate(void);

#ifdef __cplusplus
}
#endif

#endif
