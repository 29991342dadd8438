// Numbers read from text the way atoi reads them (leading blanks, a sign, the digits up to the
// first other character; 0 when there are none), but bounded: the digits are read one by one and
// a value beyond the int range is clamped to it instead of overflowing.
#pragma once

int ParseTextNumber(const char* text);
