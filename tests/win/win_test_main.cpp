#include <gtest/gtest.h>

#include <winsock2.h>

// Name lookups and connections in the code under test need Winsock started,
// as the program's dialog does at start-up.
int main(int argc, char** argv) {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return 1;
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::WSACleanup();
    return result;
}
