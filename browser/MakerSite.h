// The maker's web host, whose pages are this host followed by their path, and the address that
// problem reports are mailed to.
#pragma once

inline constexpr char kMakerSite[] = "http://www.larchway.cn";
inline constexpr char kSupportAddress[] = "support@larchway.cn";
