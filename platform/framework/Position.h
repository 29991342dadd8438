// The framework's iteration position: an opaque value that a container hands out and takes back,
// null at the end.
#pragma once

struct AFX_POSITION_;
using POSITION = AFX_POSITION_*;
