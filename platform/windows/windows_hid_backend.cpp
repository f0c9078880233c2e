#include "platform/windows/windows_hid_backend.h"

#include "common/text.h"
#include "platform/windows/wide_string.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

// windows.h first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <cfgmgr32.h>
#include <dbt.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}
// clang-format on

namespace volantra {
namespace {

constexpr const char* kAccessHint =
    "permission denied: another program holds the mouse for itself, or this account may not "
    "use it; close the mouse's other configuration programs and try again";

// A handle closed when it goes out of scope.
class FileHandle
{
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~FileHandle()
    {
        if (valid())
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE get() const { return m_handle; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }

private:
    HANDLE m_handle;
};

std::optional<std::string> deviceInstanceId(DEVINST instance)
{
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    if (CM_Get_Device_IDW(instance, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS)
        return std::nullopt;
    return utf8FromWide(id);
}

// The USB device a HID collection belongs to, the same for all its interfaces: the HID
// device's parent, or the parent's parent when the parent is one interface ("&MI_") of a
// composite USB device.
std::string physicalDeviceOf(DEVINST hidDevice)
{
    DEVINST parent = 0;
    if (CM_Get_Parent(&parent, hidDevice, 0) != CR_SUCCESS)
        return deviceInstanceId(hidDevice).value_or("");
    std::optional<std::string> id = deviceInstanceId(parent);
    if (id && lowercased(*id).find("&mi_") != std::string::npos) {
        DEVINST grandparent = 0;
        if (CM_Get_Parent(&grandparent, parent, 0) == CR_SUCCESS)
            if (std::optional<std::string> above = deviceInstanceId(grandparent))
                return *above;
    }
    return id.value_or("");
}

std::optional<HidCollectionInfo> capabilitiesOf(HANDLE device)
{
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(device, &preparsed))
        return std::nullopt;
    HIDP_CAPS caps{};
    const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
    HidD_FreePreparsedData(preparsed);
    if (status != HIDP_STATUS_SUCCESS)
        return std::nullopt;
    HidCollectionInfo info;
    info.usagePage = caps.UsagePage;
    info.usage = caps.Usage;
    // Windows counts the report-id byte in these lengths, as the device link expects.
    info.inputReportLength = caps.InputReportByteLength;
    info.outputReportLength = caps.OutputReportByteLength;
    info.featureReportLength = caps.FeatureReportByteLength;
    return info;
}

class WindowsHidHandle final : public HidHandle
{
public:
    WindowsHidHandle(HANDLE device, std::string node) : m_device(device), m_node(std::move(node))
    {
        m_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ~WindowsHidHandle() override
    {
        CancelIoEx(m_device, nullptr);
        CloseHandle(m_device);
        if (m_event != nullptr)
            CloseHandle(m_event);
    }

    Status setFeature(std::span<const std::uint8_t> report) override
    {
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        if (!HidD_SetFeature(m_device, buffer.data(), static_cast<ULONG>(buffer.size())))
            return windowsDeviceError(m_node, GetLastError());
        return {};
    }

    Status getFeature(std::span<std::uint8_t> report) override
    {
        if (!HidD_GetFeature(m_device, report.data(), static_cast<ULONG>(report.size())))
            return windowsDeviceError(m_node, GetLastError());
        return {};
    }

    Status write(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) override
    {
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        OVERLAPPED overlapped{};
        overlapped.hEvent = m_event;
        ResetEvent(m_event);
        DWORD written = 0;
        if (!WriteFile(m_device, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                       &overlapped)) {
            const DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING)
                return windowsDeviceError(m_node, error);
        }
        if (Status finished = finish(overlapped, timeout, written); !finished)
            return finished;
        if (written != buffer.size())
            return Error{Error::Kind::Io, m_node + ": the device took only part of a report"};
        return {};
    }

    Result<std::size_t> read(std::span<std::uint8_t> buffer,
                             std::chrono::milliseconds timeout) override
    {
        OVERLAPPED overlapped{};
        if (Status started = startRead(buffer, overlapped); !started)
            return started.error();
        DWORD got = 0;
        if (Status finished = finish(overlapped, timeout, got); !finished)
            return finished.error();
        return static_cast<std::size_t>(got);
    }

    Result<std::optional<std::size_t>> readUntilWoken(std::span<std::uint8_t> buffer,
                                                      HidWaker& waker) override
    {
        OVERLAPPED overlapped{};
        if (Status started = startRead(buffer, overlapped); !started)
            return started.error();
        // The waker first, so that a pending wake-up wins over a report that came with it.
        const HANDLE handles[2] = {waker.waitHandle(), m_event};
        const DWORD waited = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        DWORD got = 0;
        if (waited == WAIT_OBJECT_0 + 1) {
            if (!GetOverlappedResult(m_device, &overlapped, &got, FALSE))
                return windowsDeviceError(m_node, GetLastError());
            return std::optional<std::size_t>(got);
        }
        CancelIoEx(m_device, &overlapped);
        const bool completed = GetOverlappedResult(m_device, &overlapped, &got, TRUE);
        if (waited != WAIT_OBJECT_0)
            return windowsDeviceError(m_node, GetLastError());
        // A report that arrived before the cancel is handed on; the wake-up stays pending
        // and ends the next wait at once.
        if (completed)
            return std::optional<std::size_t>(got);
        waker.clear();
        return std::optional<std::size_t>();
    }

private:
    // Starts an overlapped read into `buffer` that signals m_event when it ends.
    Status startRead(std::span<std::uint8_t> buffer, OVERLAPPED& overlapped)
    {
        overlapped.hEvent = m_event;
        ResetEvent(m_event);
        if (!ReadFile(m_device, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                      &overlapped)) {
            const DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING)
                return windowsDeviceError(m_node, error);
        }
        return {};
    }

    // Waits for an overlapped transfer at most `timeout`; a transfer that takes longer is
    // cancelled (a hung mouse must not hang the program).
    Status finish(OVERLAPPED& overlapped, std::chrono::milliseconds timeout, DWORD& transferred)
    {
        const DWORD waited = WaitForSingleObject(m_event, static_cast<DWORD>(timeout.count()));
        if (waited == WAIT_TIMEOUT) {
            CancelIoEx(m_device, &overlapped);
            if (GetOverlappedResult(m_device, &overlapped, &transferred, TRUE))
                return {}; // it finished while being cancelled
            return Error{Error::Kind::TimedOut, m_node + ": the mouse did not answer within " +
                                                    std::to_string(timeout.count()) + " ms"};
        }
        if (!GetOverlappedResult(m_device, &overlapped, &transferred, TRUE))
            return windowsDeviceError(m_node, GetLastError());
        return {};
    }

    HANDLE m_device;
    HANDLE m_event = nullptr;
    std::string m_node;
};

// What both ways of watching for the mouse share: notices arrive on another thread, are
// queued, and an event object is signalled until receive() takes them.
class QueuedHotplugMonitor : public HotplugMonitor
{
public:
    ~QueuedHotplugMonitor() override { CloseHandle(m_ready); }

    int fileDescriptor() const override { return -1; }
    void* waitHandle() const override { return m_ready; }

    std::vector<HotplugNotice> receive() override
    {
        std::lock_guard lock(m_mutex);
        std::vector<HotplugNotice> notices(m_notices.begin(), m_notices.end());
        m_notices.clear();
        ResetEvent(m_ready);
        return notices;
    }

protected:
    QueuedHotplugMonitor() : m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    void post(HotplugNotice notice)
    {
        std::lock_guard lock(m_mutex);
        m_notices.push_back(std::move(notice));
        SetEvent(m_ready);
    }

private:
    HANDLE m_ready;
    std::mutex m_mutex;
    std::deque<HotplugNotice> m_notices;
};

// Notices from CM_Register_Notification arrive on a thread of the system's pool.
class WindowsHotplugMonitor final : public QueuedHotplugMonitor
{
public:
    using Register = CONFIGRET(WINAPI*)(PCM_NOTIFY_FILTER, PVOID, PCM_NOTIFY_CALLBACK,
                                        PHCMNOTIFICATION);
    using Unregister = CONFIGRET(WINAPI*)(HCMNOTIFICATION);

    static Result<std::unique_ptr<HotplugMonitor>> create()
    {
        // Looked up at run time, so that the program still starts where the call is missing.
        HMODULE library = LoadLibraryW(L"cfgmgr32.dll");
        auto registerCall = library != nullptr
                                ? reinterpret_cast<Register>(reinterpret_cast<void*>(
                                      GetProcAddress(library, "CM_Register_Notification")))
                                : nullptr;
        auto unregisterCall = library != nullptr
                                  ? reinterpret_cast<Unregister>(reinterpret_cast<void*>(
                                        GetProcAddress(library, "CM_Unregister_Notification")))
                                  : nullptr;
        if (registerCall == nullptr || unregisterCall == nullptr)
            return Error{Error::Kind::NotFound, "CM_Register_Notification is missing"};
        std::unique_ptr<WindowsHotplugMonitor> monitor(new WindowsHotplugMonitor);
        monitor->m_unregister = unregisterCall;
        CM_NOTIFY_FILTER filter{};
        filter.cbSize = sizeof filter;
        filter.FilterType = CM_NOTIFY_FILTER_TYPE_DEVICEINTERFACE;
        HidD_GetHidGuid(&filter.u.DeviceInterface.ClassGuid);
        if (registerCall(&filter, monitor.get(), &WindowsHotplugMonitor::callback,
                         &monitor->m_registration) != CR_SUCCESS)
            return Error{Error::Kind::Io, "cannot watch for devices being plugged in"};
        return std::unique_ptr<HotplugMonitor>(std::move(monitor));
    }

    ~WindowsHotplugMonitor() override
    {
        // Unregistering waits for callbacks that are running, so none outlives the object.
        if (m_registration != nullptr)
            m_unregister(m_registration);
    }

private:
    WindowsHotplugMonitor() = default;

    static DWORD CALLBACK callback(HCMNOTIFICATION, PVOID context, CM_NOTIFY_ACTION action,
                                   PCM_NOTIFY_EVENT_DATA data, DWORD)
    {
        if (action != CM_NOTIFY_ACTION_DEVICEINTERFACEARRIVAL &&
            action != CM_NOTIFY_ACTION_DEVICEINTERFACEREMOVAL)
            return ERROR_SUCCESS;
        auto* monitor = static_cast<WindowsHotplugMonitor*>(context);
        const std::string node = lowercased(utf8FromWide(data->u.DeviceInterface.SymbolicLink));
        // A removed device cannot be asked; its path names vendor and product.
        const std::optional<WindowsHidIds> ids = hidIdsFromInterfacePath(node);
        if (!ids)
            return ERROR_SUCCESS;
        monitor->post(HotplugNotice{action == CM_NOTIFY_ACTION_DEVICEINTERFACEARRIVAL
                                        ? HotplugNotice::Action::Added
                                        : HotplugNotice::Action::Removed,
                                    node, ids->vendorId, ids->productId});
        return ERROR_SUCCESS;
    }

    HCMNOTIFICATION m_registration = nullptr;
    Unregister m_unregister = nullptr;
};

// Where CM_Register_Notification is missing (wine 8, Windows before 8), the classic way: a
// message-only window on a thread of its own, registered for the HID interface class with
// RegisterDeviceNotificationW, turning WM_DEVICECHANGE into notices.
class WindowHotplugMonitor final : public QueuedHotplugMonitor
{
public:
    static Result<std::unique_ptr<HotplugMonitor>> create()
    {
        std::unique_ptr<WindowHotplugMonitor> monitor(new WindowHotplugMonitor);
        std::promise<bool> started;
        std::future<bool> ready = started.get_future();
        monitor->m_thread = std::thread([raw = monitor.get(), &started] { raw->run(started); });
        if (!ready.get()) {
            monitor->m_thread.join();
            return Error{Error::Kind::Io, "cannot watch for devices being plugged in"};
        }
        return std::unique_ptr<HotplugMonitor>(std::move(monitor));
    }

    ~WindowHotplugMonitor() override
    {
        PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }

private:
    WindowHotplugMonitor() = default;

    void run(std::promise<bool>& started)
    {
        m_threadId = GetCurrentThreadId();
        static constexpr wchar_t kClass[] = L"VolantraHotplugMonitor";
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &WindowHotplugMonitor::windowProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClass;
        RegisterClassExW(&windowClass); // fails harmlessly when registered already
        HWND window = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
        if (window == nullptr) {
            started.set_value(false);
            return;
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        HidD_GetHidGuid(&filter.dbcc_classguid);
        HDEVNOTIFY registration =
            RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
        if (registration == nullptr) {
            DestroyWindow(window);
            started.set_value(false);
            return;
        }
        // The queue exists once PeekMessageW ran, so the destructor's WM_QUIT is not lost.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        started.set_value(true);
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        UnregisterDeviceNotification(registration);
        DestroyWindow(window);
    }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM kind, LPARAM data)
    {
        if (message == WM_DEVICECHANGE &&
            (kind == DBT_DEVICEARRIVAL || kind == DBT_DEVICEREMOVECOMPLETE) && data != 0) {
            auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(data);
            auto* self =
                reinterpret_cast<WindowHotplugMonitor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (self != nullptr && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
                auto* interface = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
                self->add(kind == DBT_DEVICEARRIVAL ? HotplugNotice::Action::Added
                                                    : HotplugNotice::Action::Removed,
                          interface->dbcc_name);
            }
            return TRUE;
        }
        return DefWindowProcW(window, message, kind, data);
    }

    void add(HotplugNotice::Action action, const wchar_t* name)
    {
        const std::string node = lowercased(utf8FromWide(name));
        const std::optional<WindowsHidIds> ids = hidIdsFromInterfacePath(node);
        if (!ids)
            return;
        post(HotplugNotice{action, node, ids->vendorId, ids->productId});
    }

    DWORD m_threadId = 0;
    std::thread m_thread;
};

std::optional<std::uint16_t> hexAfter(std::string_view text, std::string_view key)
{
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos || at + key.size() + 4 > text.size())
        return std::nullopt;
    std::uint16_t value = 0;
    const char* first = text.data() + at + key.size();
    auto [end, ec] = std::from_chars(first, first + 4, value, 16);
    if (ec != std::errc() || end != first + 4)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<WindowsHidIds> hidIdsFromInterfacePath(std::string_view path)
{
    const std::string lower = lowercased(std::string(path));
    const std::optional<std::uint16_t> vendor = hexAfter(lower, "vid_");
    const std::optional<std::uint16_t> product = hexAfter(lower, "pid_");
    if (!vendor || !product)
        return std::nullopt;
    return WindowsHidIds{*vendor, *product};
}

Error windowsDeviceError(const std::string& node, unsigned long error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return Error{Error::Kind::Permission, node + ": " + kAccessHint};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_GEN_FAILURE:
    case ERROR_BAD_COMMAND:
    case ERROR_INVALID_HANDLE:
    case ERROR_OPERATION_ABORTED:
        return Error{Error::Kind::Gone,
                     node + ": the device is gone (" + windowsErrorText(error) + ")"};
    case ERROR_SEM_TIMEOUT:
    case WAIT_TIMEOUT:
        return Error{Error::Kind::TimedOut, node + ": the device did not answer"};
    default:
        return Error{Error::Kind::Io, node + ": " + windowsErrorText(error)};
    }
}

Result<std::unique_ptr<WindowsHidBackend>> WindowsHidBackend::create()
{
    return std::unique_ptr<WindowsHidBackend>(new WindowsHidBackend);
}

Result<std::vector<HidNode>> WindowsHidBackend::enumerate()
{
    GUID hidClass;
    HidD_GetHidGuid(&hidClass);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return Error{Error::Kind::Io,
                     "cannot list the HID devices: " + windowsErrorText(GetLastError())};

    std::vector<HidNode> nodes;
    SP_DEVICE_INTERFACE_DATA interface {
    };
    interface.cbSize = sizeof interface;
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &interface);
         ++index) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &interface, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        std::vector<std::uint8_t> storage(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailW(set, &interface, detail, size, nullptr, &device))
            continue;

        HidNode node;
        node.node = lowercased(utf8FromWide(detail->DevicePath));
        // No access asked for: attributes and capabilities can be read even from devices
        // the system holds for itself (keyboards, mice). One that cannot be opened at all
        // is passed over; it never ends the search.
        FileHandle handle(CreateFileW(detail->DevicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
        if (!handle.valid())
            continue;
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        if (!HidD_GetAttributes(handle.get(), &attributes))
            continue;
        node.vendorId = attributes.VendorID;
        node.productId = attributes.ProductID;
        node.physicalDevice = physicalDeviceOf(device.DevInst);
        node.capabilities = capabilitiesOf(handle.get());
        if (!node.capabilities)
            continue;
        nodes.push_back(std::move(node));
    }
    SetupDiDestroyDeviceInfoList(set);
    return nodes;
}

Result<std::unique_ptr<HidHandle>> WindowsHidBackend::open(const std::string& node, OpenMode mode)
{
    const DWORD access = GENERIC_READ | (mode == OpenMode::ReadWrite ? GENERIC_WRITE : 0);
    HANDLE device =
        CreateFileW(wideFromUtf8(node).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return windowsDeviceError(node, GetLastError());
    return std::unique_ptr<HidHandle>(std::make_unique<WindowsHidHandle>(device, node));
}

Result<std::unique_ptr<HotplugMonitor>> WindowsHidBackend::createMonitor()
{
    Result<std::unique_ptr<HotplugMonitor>> monitor = WindowsHotplugMonitor::create();
    if (!monitor && monitor.error().kind == Error::Kind::NotFound)
        return WindowHotplugMonitor::create();
    return monitor;
}

} // namespace volantra
