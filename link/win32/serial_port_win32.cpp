// The Win32 back end of the serial port: an overlapped handle, RTS toggle in
// the driver, every wait ended by the port's own event.
#include "link/serial_port.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace glt {

namespace {

// The constant part of the port's total read time-out; the answer wait of
// the caller is shorter, so a short answer ends by the wait.
constexpr DWORD kPortReadTimeoutMs = 1000;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// An auto-reset event for one overlapped operation, closed with it.
class OverlappedEvent {
public:
    OverlappedEvent() { overlapped.hEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr); }
    ~OverlappedEvent()
    {
        if (overlapped.hEvent != nullptr) {
            CloseHandle(overlapped.hEvent);
        }
    }
    OverlappedEvent(const OverlappedEvent&) = delete;
    OverlappedEvent& operator=(const OverlappedEvent&) = delete;

    bool Valid() const { return overlapped.hEvent != nullptr; }

    OVERLAPPED overlapped{};
};

class Win32SerialPort final : public SerialPort {
public:
    ~Win32SerialPort() override { Close(); }

    bool Open(const std::string& devicePath, std::uint32_t baud, StopBits stopBits, Parity parity,
        bool rtsToggle) override
    {
        Close();
        // Share mode 0: nobody else may have the port while it is open.
        handle_ = CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
            FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            return false;
        }
        if (!SetLine(baud, stopBits, parity, rtsToggle) || !SetTimeouts()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
            return false;
        }
        Purge();
        return true;
    }

    void Close() override
    {
        if (handle_ == INVALID_HANDLE_VALUE) {
            return;
        }
        Purge();
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

    std::intptr_t NativeHandle() const override
    {
        return IsOpen() ? reinterpret_cast<std::intptr_t>(handle_) : -1;
    }

    void Purge() override
    {
        if (IsOpen()) {
            PurgeComm(handle_, kPurgeAll);
        }
    }

    IoResult Write(std::span<const std::uint8_t> bytes) override
    {
        // No write time-out: the send waits for as long as it takes.
        return Transfer(bytes.size(), INFINITE, [&](OVERLAPPED& overlapped) {
            return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped);
        });
    }

    IoResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override
    {
        return Transfer(buffer.size(), static_cast<DWORD>(wait.count()), [&](OVERLAPPED& overlapped) {
            return ReadFile(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped);
        });
    }

private:
    // Runs one overlapped read or write to its end: done at once, done within
    // the wait, or cancelled when the wait is over.
    template <typename Start>
    IoResult Transfer(std::size_t wanted, DWORD waitMs, Start start)
    {
        IoResult result;
        OverlappedEvent op;
        if (!IsOpen() || !op.Valid()) {
            return result;
        }
        DWORD transferred = 0;
        BOOL done = start(op.overlapped);
        if (done) {
            done = GetOverlappedResult(handle_, &op.overlapped, &transferred, FALSE);
        } else if (GetLastError() == ERROR_IO_PENDING) {
            if (WaitForSingleObject(op.overlapped.hEvent, waitMs) == WAIT_OBJECT_0) {
                done = GetOverlappedResult(handle_, &op.overlapped, &transferred, FALSE);
            } else {
                FinishCancelled(op.overlapped, transferred);
            }
        }
        result.count = transferred;
        result.ok = done && transferred == wanted;
        return result;
    }

    // An operation must be over before its buffer and event go away: cancel
    // it and wait until the cancellation has completed.
    void FinishCancelled(OVERLAPPED& overlapped, DWORD& transferred)
    {
        CancelIoEx(handle_, &overlapped);
        GetOverlappedResult(handle_, &overlapped, &transferred, TRUE);
    }

    bool SetLine(std::uint32_t baud, StopBits stopBits, Parity parity, bool rtsToggle)
    {
        DCB dcb{};
        GetCommState(handle_, &dcb);
        dcb.DCBlength = sizeof(DCB);
        dcb.BaudRate = baud;
        dcb.ByteSize = 8;
        dcb.Parity = static_cast<BYTE>(parity);
        dcb.StopBits = static_cast<BYTE>(stopBits);
        dcb.fBinary = TRUE;
        dcb.fParity = parity != Parity::None ? TRUE : FALSE;
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fRtsControl = rtsToggle ? RTS_CONTROL_TOGGLE : RTS_CONTROL_DISABLE;
        dcb.fAbortOnError = FALSE;
        if (SetCommState(handle_, &dcb)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (!rtsToggle || (error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_PARAMETER)) {
            return false;
        }
        // Drivers that refuse RTS toggle belong to adapters that switch the
        // line direction themselves.
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        return SetCommState(handle_, &dcb) != FALSE;
    }

    bool SetTimeouts()
    {
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 0;
        timeouts.ReadTotalTimeoutMultiplier = 1;
        timeouts.ReadTotalTimeoutConstant = kPortReadTimeoutMs;
        timeouts.WriteTotalTimeoutMultiplier = 0;
        timeouts.WriteTotalTimeoutConstant = 0;
        return SetCommTimeouts(handle_, &timeouts) != FALSE;
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace

std::unique_ptr<SerialPort> MakeSerialPort() { return std::make_unique<Win32SerialPort>(); }

} // namespace glt
