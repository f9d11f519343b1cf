#pragma once

// The maker's web address, opened by the link at the foot of the dialog.
inline constexpr char kMakerHomeAddress[] = "http://www.morrowfen.example/";
