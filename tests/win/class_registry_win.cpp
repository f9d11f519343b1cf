#include "tests/win/class_registry_win.h"

namespace {

bool KeyExists(const std::string& subKey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// The shortest leading part of the path that names no key yet; empty when
// the whole path exists.
std::string FirstMissingKey(const std::string& subKey) {
    std::size_t end = 0;
    do {
        end = subKey.find('\\', end + 1);
        const std::string part = subKey.substr(0, end);
        if (!KeyExists(part))
            return part;
    } while (end != std::string::npos);
    return std::string();
}

} // namespace

ClassesRootDefault::ClassesRootDefault(const std::string& subKey, const std::string& value)
    : m_strSubKey(subKey), m_strCreatedRoot(FirstMissingKey(subKey)) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (::RegQueryValueExA(key, "", nullptr, &m_oldType, nullptr, &size) == ERROR_SUCCESS) {
        m_oldData.resize(size);
        m_bHadValue = ::RegQueryValueExA(key, "", nullptr, &m_oldType, m_oldData.data(), &size) ==
                      ERROR_SUCCESS;
        m_oldData.resize(size);
    }
    m_bApplied = ::RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    ::RegCloseKey(key);
}

ClassesRootDefault::~ClassesRootDefault() {
    if (!m_strCreatedRoot.empty()) {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, m_strCreatedRoot.c_str());
        return;
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, m_strSubKey.c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return;
    if (m_bHadValue)
        ::RegSetValueExA(key, "", 0, m_oldType, m_oldData.data(),
                         static_cast<DWORD>(m_oldData.size()));
    else
        ::RegDeleteValueA(key, "");
    ::RegCloseKey(key);
}
