#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Gives a key under HKEY_CLASSES_ROOT a default value for the object's
// lifetime, then puts back what was there: the old value, no value, or no
// key at all. The tests change the shared Wine prefix's associations only
// through this, so that a failing test still leaves them as it found them.
class ClassesRootDefault {
public:
    ClassesRootDefault(const std::string& subKey, const std::string& value);
    ~ClassesRootDefault();
    ClassesRootDefault(const ClassesRootDefault&) = delete;
    ClassesRootDefault& operator=(const ClassesRootDefault&) = delete;

    bool Applied() const { return m_bApplied; }

private:
    const std::string m_strSubKey;
    // The outermost key made here, removed with everything below it.
    std::string m_strCreatedRoot;
    bool m_bHadValue = false;
    DWORD m_oldType = REG_NONE;
    std::vector<BYTE> m_oldData;
    bool m_bApplied = false;
};
