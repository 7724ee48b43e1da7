#pragma once

// How every stored type is laid out in a binary archive. The serialize
// functions sit beside the types rather than in them, so that the engine and
// the session stay free of Boost.

#include "engine/CCell.h"
#include "engine/CGameField.h"
#include "session/CGameFieldFileData.h"
#include "session/CSnapShot.h"
#include "session/CUndo.h"
#include "storage/CGameFieldHeader.h"
#include "storage/HiScoreEntry.h"

#include <boost/serialization/array.hpp>
#include <boost/serialization/collection_size_type.hpp>
#include <boost/serialization/item_version_type.hpp>
#include <boost/serialization/version.hpp>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <stdexcept>

BOOST_CLASS_VERSION(CCell, 1)
BOOST_CLASS_VERSION(CGameField, 1)
BOOST_CLASS_VERSION(CSnapShot, 1)
BOOST_CLASS_VERSION(CUndo, 1)
BOOST_CLASS_VERSION(CGameFieldHeader, 1)
BOOST_CLASS_VERSION(CGameFieldFileData, 1)
BOOST_CLASS_VERSION(HiScoreEntry, 1)

// The session never holds more snapshots than it has menu commands for.
constexpr std::size_t MaxStoredSnapshots = 20;

// The library's sequence form (count, element version, elements), read one
// element at a time: a damaged count then runs into the end of the data
// instead of reserving room for billions of elements up front.
template <class Archive, class Sequence> void SaveSequence(Archive& ar, const Sequence& items) {
    using Item = typename Sequence::value_type;
    const boost::serialization::collection_size_type count(items.size());
    const boost::serialization::item_version_type itemVersion(
        boost::serialization::version<Item>::value);
    ar << count << itemVersion;
    for (const Item& item : items) {
        ar << item;
    }
}

template <class Archive, class Sequence>
void LoadSequence(Archive& ar, Sequence& items, std::size_t maxCount, const char* tooLongMessage) {
    using Item = typename Sequence::value_type;
    boost::serialization::collection_size_type count;
    boost::serialization::item_version_type itemVersion;
    ar >> count >> itemVersion;
    if (count > maxCount) {
        throw std::runtime_error(tooLongMessage);
    }
    items.clear();
    for (std::size_t i = 0; i < count; ++i) {
        Item item;
        ar >> item;
        items.push_back(item);
    }
}

template <class Archive, class Sequence>
void SerializeSequence(Archive& ar, Sequence& items, std::size_t maxCount,
                       const char* tooLongMessage) {
    if constexpr (Archive::is_saving::value) {
        SaveSequence(ar, items);
    } else {
        LoadSequence(ar, items, maxCount, tooLongMessage);
    }
}

template <class Archive> void serialize(Archive& ar, CCell& cell, const unsigned int) {
    ar& cell.value;
    ar& cell.flags;
}

template <class Archive> void serialize(Archive& ar, CGameField& board, const unsigned int) {
    ar& board.cells;
}

template <class Archive> void serialize(Archive& ar, CSnapShot& snapshot, const unsigned int) {
    ar& snapshot.field;
    ar& snapshot.name;
    ar& snapshot.elapsed;
}

template <class Archive> void serialize(Archive& ar, CUndo& record, const unsigned int) {
    ar& record.cell;
    ar& record.column;
    ar& record.row;
}

template <class Archive> void serialize(Archive& ar, HiScoreEntry& entry, const unsigned int) {
    ar& entry.name;
    ar& entry.time;
}

// The level is stored in one byte and read back as a signed byte; help-used is
// one byte where anything but 0 means true. Both are read as plain bytes so
// that a damaged file can never produce an invalid bool.
template <class Archive> void serialize(Archive& ar, CGameFieldHeader& header, const unsigned int) {
    ar& header.magic;
    ar& header.fieldSize;
    ar& header.startTime;
    ar& header.finalTime;
    if constexpr (Archive::is_saving::value) {
        const auto levelByte = static_cast<signed char>(header.level & 0xFF);
        const auto helpByte = static_cast<unsigned char>(header.helpUsed ? 1 : 0);
        ar << levelByte << helpByte;
    } else {
        signed char levelByte = 0;
        unsigned char helpByte = 0;
        ar >> levelByte >> helpByte;
        header.level = levelByte;
        header.helpUsed = helpByte != 0;
    }
}

template <class Archive>
void serialize(Archive& ar, std::deque<CSnapShot>& snapshots, const unsigned int) {
    SerializeSequence(ar, snapshots, MaxStoredSnapshots, "Too many snapshots");
}

template <class Archive>
void serialize(Archive& ar, std::deque<CUndo>& records, const unsigned int) {
    SerializeSequence(ar, records, records.max_size(), "Too many undo records");
}

template <class Archive>
void serialize(Archive& ar, std::list<HiScoreEntry>& entries, const unsigned int) {
    SerializeSequence(ar, entries, entries.max_size(), "Too many winners");
}

// Writing builds the header from the data; reading checks it before anything
// else is read, and takes its clock values, level and flag over at the end.
template <class Archive> void serialize(Archive& ar, CGameFieldFileData& data, const unsigned int) {
    CGameFieldHeader header;
    if constexpr (Archive::is_saving::value) {
        header.startTime = data.startTime;
        header.finalTime = data.finalTime;
        header.level = data.level;
        header.helpUsed = data.helpUsed;
        ar << header;
        ar << data.field << data.snapShots;
    } else {
        ar >> header;
        if (!header.IsKnown()) {
            throw std::runtime_error("Unknown header");
        }
        ar >> data.field >> data.snapShots;
        data.startTime = header.startTime;
        data.finalTime = header.finalTime;
        data.level = header.level;
        data.helpUsed = header.helpUsed;
    }
}
