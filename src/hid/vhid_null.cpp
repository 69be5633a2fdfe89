// The backend of a platform without HID access: no interfaces, no notifications.
#include "vhid_backend.h"

namespace {

bool null_enumerate(std::vector<vhid::iface_info>&)
{
    return true;
}

vhid_handle_t null_open(const vhid::iface_info&, uint32_t, uint32_t, vhid::open_error&)
{
    return VHID_INVALID_HANDLE;
}

int32_t null_read(vhid_handle_t, uint8_t*, int32_t)
{
    return -1;
}

void null_cancel(vhid_handle_t) {}

int32_t null_write(vhid_handle_t, const uint8_t*, int32_t)
{
    return 0;
}

void null_close(vhid_handle_t) {}

bool null_start(vhid::notify_fn)
{
    return true;
}

void null_nothing() {}

const vhid::backend null_table = {
    "no HID access", null_enumerate, null_open, null_read,  null_cancel,
    null_write,      null_close,     nullptr,   null_start, null_nothing,
    null_nothing,    nullptr,        nullptr,   nullptr,
};

} // namespace

const vhid::backend& vhid::platform_backend()
{
    return null_table;
}
