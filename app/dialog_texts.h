#pragma once

// What the main dialog tells the user when a run cannot start, in the
// program's code page.
inline constexpr char kBadTarget[] = "请输入正确域名";
inline constexpr char kNoWorker[] = "无法开始检测，请关闭其他程序后重试。";
