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

/* Why a registration is not connected, as its last connection check found it. */
#define VHID_PROBLEM_NONE 0          /* connected, or not checked yet */
#define VHID_PROBLEM_NOT_FOUND 1     /* no matching interface is present */
#define VHID_PROBLEM_NO_PERMISSION 2 /* a matching interface that this user may not open */
#define VHID_PROBLEM_OPEN_FAILED 3   /* a matching interface whose open failed otherwise */
#define VHID_PROBLEM_DISCONNECTED                                                                  \
    4 /* a matching interface whose Bluetooth device is not                                        \
         connected (its node stays) */

#define VHID_TEXT_MAX 256

/* A registration's status: the problem and the interface it concerns. `message` holds the
 * system's own words for a failed open. Texts are NUL-terminated, cut to fit. */
typedef struct vhid_status
{
    int32_t problem; /* VHID_PROBLEM_* */
    char path[VHID_TEXT_MAX];
    char message[VHID_TEXT_MAX];
} vhid_status;

/* One HID interface of the system, as the layer sees it (diagnostics). */
typedef struct vhid_iface_report
{
    char path[VHID_TEXT_MAX];
    uint16_t vendor_id;
    uint16_t product_id;
    uint16_t usage_page;
    int32_t input_report_len;
    int32_t output_report_len;
    int32_t disconnected;     /* its Bluetooth device is not connected */
    int32_t open_for_reading; /* by some registration, now */
    int32_t open_for_writing;
} vhid_iface_report;

/* A platform handle: a Windows HANDLE, a Linux file descriptor or a virtual interface id. */
typedef intptr_t vhid_handle_t;
#define VHID_INVALID_HANDLE ((vhid_handle_t)-1)

/* Called on the thread that ran the connection check: the caller of vhid_set_callbacks for the
 * first check of a registration, the notification thread afterwards. No lock of the layer is
 * held while a callback runs. */
typedef void (*vhid_connected_cb_t)(void* user_data, int32_t index);
typedef void (*vhid_disconnected_cb_t)(void* user_data, int32_t index);

/* Called on the registration's reader thread for every input report of at least one byte.
 * `data` (report id first) is valid only until the callback returns. `length` is what the device
 * sent where the platform tells (Linux, the virtual bus), so a truncated report arrives short;
 * on Windows every report comes at the registration's full input length. */
typedef void (*vhid_report_cb_t)(void* user_data, int32_t index, uint8_t* data, int32_t length);

/* Called on the notification thread for every device-change message. On Windows `message`,
 * `event` and `event_data` are the WM_DEVICECHANGE code, wParam and lParam; elsewhere `message`
 * is 0x0219 and `event` 0x8000 (arrival) or 0x8004 (removal), with no event data. */
/* Called on the thread that ran the connection check whenever the check changed the
 * registration's status (vhid_get_status), before a connected or disconnected callback of the
 * same check. No lock of the layer is held while it runs. */
typedef void (*vhid_status_cb_t)(void* user_data, int32_t index);

typedef void (*vhid_device_change_cb_t)(void* user_data, uint32_t message, uintptr_t event,
                                        intptr_t event_data);

/* One registration. Owned by the layer; callers name it by its index. */
typedef struct device_t
{
    int32_t index;
    vhid_connected_cb_t connected_cb;
    vhid_disconnected_cb_t disconnected_cb;
    vhid_report_cb_t report_cb;
    void* user_data;
    uint32_t vendor_id;
    uint32_t product_id;
    uint32_t usage_page;       /* 0 matches any usage page */
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

/* Sets the status callback of a registration (null to remove it); it takes effect from the next
 * check, so set it before vhid_set_callbacks to hear of the first. Cleared by vhid_detach and
 * vhid_init. Ignored for a bad index. */
void vhid_set_status_callback(int32_t index, vhid_status_cb_t status_cb, void* user_data);

/* Copies the status of a registration. Returns 0, or -1 for a bad index or a null pointer. Any
 * thread. */
int32_t vhid_get_status(int32_t index, vhid_status* status);

/* Re-checks every registration on the notification thread, as an arrival does (after the
 * system's access rules changed). Returns at once. */
void vhid_rescan(void);

/* The backend's name and the source of its arrival and removal events (diagnostics); static
 * texts. */
const char* vhid_backend_name(void);
const char* vhid_event_source(void);

/* Lists the present HID interfaces with this vendor and product id, up to `max` of them into
 * `out` (which may be null with max 0). Returns how many there are, or -1 when no list could be
 * made. Blocks on the system's device list: not for the GUI thread. */
int32_t vhid_list_interfaces(uint16_t vendor_id, uint16_t product_id, vhid_iface_report* out,
                             int32_t max);

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

/* Makes the write in flight on a registration, and every later one until its handle is opened
 * anew, fail at once (0 bytes written), where the platform can interrupt a write (Windows, the
 * virtual bus); on Linux the write in flight runs to its end. Any thread. Ignored for a bad
 * index or a registration without an open write handle. */
void vhid_cancel_writes(int32_t index);

/* Cancels the device-notification registration; nothing else. */
void vhid_terminate(void);

#ifdef __cplusplus
}
#endif

#endif
