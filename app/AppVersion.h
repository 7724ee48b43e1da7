#pragma once

#include "views/win/resources/VersionBlock.h"

// The program's version resource, as it is compiled in.
kwin::VersionResource AppVersionResource();
