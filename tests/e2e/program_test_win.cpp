#include "tests/e2e/program_test_win.h"

#include "res/resource.h"

namespace e2e {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void ProgramTest::SetUp() {
    program = std::make_unique<Program>(Env("TARNWICK_EXE"));
    ASSERT_TRUE(program->Started()) << "no dialog from " << Env("TARNWICK_EXE");
}

void ProgramTest::TearDown() {
    if (!program->Started())
        return;
    program->RequestClose();
    DWORD exitCode = 1;
    EXPECT_TRUE(program->WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

std::string ProgramTest::Pane() const { return program->Text(IDC_OUTPUT); }

bool ProgramTest::IsIdle() const {
    return program->IsEnabled(IDC_START) && !program->IsEnabled(IDC_STOP) &&
           program->IsEnabled(IDC_SAVE);
}

bool ProgramTest::IsRunning() const {
    return !program->IsEnabled(IDC_START) && program->IsEnabled(IDC_STOP) &&
           !program->IsEnabled(IDC_SAVE);
}

bool ProgramTest::WaitUntilIdle(DWORD timeoutMs) {
    return WaitUntil([this] { return IsIdle(); }, timeoutMs);
}

void ProgramTest::PressStart(const std::string& target) {
    program->SetText(IDC_TARGET, target);
    ASSERT_TRUE(program->Click(IDC_START));
}

void ProgramTest::StartRun(const std::string& target) {
    ASSERT_NO_FATAL_FAILURE(PressStart(target));
    ASSERT_TRUE(WaitUntil([this] { return IsRunning(); }, 5000)) << "run did not start";
}

bool ProgramTest::WaitForPaneEnd(const std::string& tail, DWORD timeoutMs) {
    return WaitUntil([&] { return EndsWith(Pane(), tail); }, timeoutMs);
}

bool ProgramTest::WaitForPaneText(const std::string& part, DWORD timeoutMs) {
    return WaitUntil([&] { return Contains(Pane(), part); }, timeoutMs);
}

} // namespace e2e
