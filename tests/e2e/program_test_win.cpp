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

namespace {

const char kSeparator[] = "\r\n--------------------------------------------\r\n";

} // namespace

std::vector<std::string> Sections(const std::string& pane) {
    std::vector<std::string> sections;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = pane.find(kSeparator, from);
        sections.push_back(
            pane.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return sections;
        from = at + sizeof kSeparator - 1;
    }
}

std::string ConsoleHeader(const std::string& command) { return "执行\" " + command + "\"命令\r\n"; }

namespace {

bool ConsoleSpeaksChinese() { return ::GetOEMCP() == 936; }

} // namespace

std::string TracertHeader(const std::string& target) {
    return ConsoleSpeaksChinese()
               ? "通过最多 30 个跃点跟踪到 " + target + " 的路由\r\n\r\n"
               : "Tracing route to " + target + " over a maximum of 30 hops\r\n\r\n";
}

std::string TracertFooter() {
    return ConsoleSpeaksChinese() ? "\r\n跟踪完成。\r\n" : "\r\nTrace complete.\r\n";
}

std::string TracertOutput(const std::string& target) {
    std::string text = TracertHeader(target);
    for (int hop = 1; hop <= 8; ++hop)
        text += "  " + std::to_string(hop) + "    <1 ms    <1 ms    <1 ms  127.0.0.1\r\n";
    return text + TracertFooter();
}

std::string ProbeFailed(const std::string& host) {
    return "尝试连接 " + host + " 所在主机的80端口\r\n连接 " + host + " 所在主机的80端口失败\r\n";
}

void ExpectCompletedAddressRun(const std::string& pane, const std::string& address) {
    const std::vector<std::string> sections = Sections(pane);
    ASSERT_EQ(sections.size(), 4u) << pane;
    EXPECT_EQ(sections[0], "");
    EXPECT_EQ(sections[1].rfind(ConsoleHeader("ping " + address), 0), 0u) << sections[1];
    EXPECT_TRUE(Contains(sections[1], "Reply from " + address)) << sections[1];
    EXPECT_EQ(sections[2], ConsoleHeader("tracert -d " + address) + TracertOutput(address));
    EXPECT_EQ(sections[3], ProbeFailed(address) + kCompleted);
}

void ProgramTest::SetUp() {
    program = std::make_unique<Program>(Env("TARNWICK_EXE"), startTimeoutMs);
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
