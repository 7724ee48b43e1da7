#pragma once

#include "storage/DataFolder.h"
#include "storage/WinnersLists.h"

#include <boost/filesystem/path.hpp>

#include <string>
#include <string_view>

// The winners file "top.dat": the four lists in the order Easy, Normal, Hard,
// Insane. The lists are taken as stored, not sorted again.
namespace WinnersFile {

constexpr const char* FileName = "top.dat";

WinnersLists Read(const boost::filesystem::path& path);
WinnersLists ReadBytes(const std::string& fileBytes);
void Write(const boost::filesystem::path& path, const WinnersLists& lists);

// Replaces the lists only when the whole file was read; never throws.
bool Load(WinnersLists& lists, std::string_view internalName = DataFolder::DefaultInternalName);

// Creates the data folder when it is missing; a file there that cannot be read
// is first kept aside as "top.dat.bad". True when the file was written.
// Never throws.
bool Save(const WinnersLists& lists,
          std::string_view internalName = DataFolder::DefaultInternalName);

} // namespace WinnersFile
