// The maker's web host; pages of the maker are this host followed by their path.
#pragma once

inline constexpr char kMakerSite[] = "http://www.larchway.cn";
