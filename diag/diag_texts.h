#pragma once

// The fixed texts of a run, in the program's code page. They are what the
// support staff read in a report, so they never change.
namespace diag {

inline constexpr char kSeparator[] = "\r\n--------------------------------------------\r\n";
inline constexpr char kConsoleHeader[] = "执行\" %s\"命令\r\n";
// The interpreter runs nothing of the user's own first (/d: no AutoRun commands,
// whose output, code page changes or background programs would end up in the
// run).
inline constexpr char kCommandInterpreter[] = "cmd.exe /d /c";
inline constexpr char kLookupFailed[] = "无法解析%s的主机IP\r\n";
inline constexpr char kConnectAttempt[] = "尝试连接 %s 所在主机的80端口\r\n";
inline constexpr char kConnected[] = "连接 %s 所在主机的80端口成功\r\n";
inline constexpr char kNotConnected[] = "连接 %s 所在主机的80端口失败\r\n";
inline constexpr char kClosingCompleted[] = "\r\n所有命令运行完毕.\r\n";
inline constexpr char kClosingStopped[] = "\r\n中止命令.\r\n";

} // namespace diag
