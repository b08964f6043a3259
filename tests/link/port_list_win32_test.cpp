// The Windows port list over the real registry key (under Wine in CI). Values
// of this test's own are added to the serial device map and removed again.
#include "link/port_list.hpp"

#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace glt {
namespace {

class SerialCommValues {
public:
    SerialCommValues()
    {
        opened_ = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr, 0,
                      KEY_READ | KEY_SET_VALUE, nullptr, &key_, nullptr)
            == ERROR_SUCCESS;
    }
    ~SerialCommValues()
    {
        for (const std::string& name : names_) {
            RegDeleteValueA(key_, name.c_str());
        }
        if (opened_) {
            RegCloseKey(key_);
        }
    }
    SerialCommValues(const SerialCommValues&) = delete;
    SerialCommValues& operator=(const SerialCommValues&) = delete;

    bool Opened() const { return opened_; }
    void Add(const std::string& name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        names_.push_back(name);
    }
    void AddText(const std::string& name, const std::string& port)
    {
        Add(name, REG_SZ, port.c_str(), static_cast<DWORD>(port.size() + 1));
    }

private:
    HKEY key_ = nullptr;
    bool opened_ = false;
    std::vector<std::string> names_;
};

bool Lists(const std::vector<std::string>& ports, const std::string& name)
{
    return std::find(ports.begin(), ports.end(), name) != ports.end();
}

TEST(WindowsPortList, TextValuesOfTheDeviceMapAreThePorts)
{
    SerialCommValues values;
    if (!values.Opened()) {
        GTEST_SKIP() << "this user may not change the serial device map";
    }
    values.AddText("\\Device\\GltTestA", "COM41");
    values.AddText("\\Device\\GltTestB", "COM42");
    const DWORD number = 43;
    values.Add("\\Device\\GltTestNumber", REG_DWORD, &number, sizeof number);
    values.AddText("\\Device\\GltTestEmpty", "");
    const std::string tooLong(300, 'C');
    values.AddText("\\Device\\GltTestLong", tooLong);

    const std::vector<std::string> ports = ListSerialPorts();
    EXPECT_TRUE(Lists(ports, "COM41"));
    EXPECT_TRUE(Lists(ports, "COM42"));
    // Neither a number, an empty text nor a text too long for a port name is a port.
    EXPECT_FALSE(Lists(ports, ""));
    EXPECT_EQ(std::count_if(ports.begin(), ports.end(), [](const std::string& p) { return p.size() > 255; }), 0);
    for (const std::string& port : ports) {
        EXPECT_EQ(std::strlen(port.c_str()), port.size()) << "a port name carries a NUL";
    }
}

} // namespace
} // namespace glt
