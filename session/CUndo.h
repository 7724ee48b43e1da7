#pragma once

#include "engine/CCell.h"

#include <cstdint>

// One undo or redo record: a cell's content before a change, and its position.
struct CUndo {
    CCell cell;
    std::uint32_t column = 0;
    std::uint32_t row = 0;

    friend bool operator==(const CUndo&, const CUndo&) = default;
};
