#pragma once

#include <boost/filesystem/path.hpp>

#include <functional>

// The autosave and the winners file are read silently at start: a file that
// cannot be used gives a fresh start. Before a new file replaces it, the
// refused one is kept beside it as "<name>.bad" (only the latest), so a file
// from a newer version or a damaged one is never destroyed without a trace.
namespace RefusedFile {

constexpr const char* Suffix = ".bad";

using Reader = std::function<void(const boost::filesystem::path&)>;

// "default.dat" gives "default.dat.bad".
boost::filesystem::path AsidePath(const boost::filesystem::path& target);

// Makes way for a new file at `target`. Whatever stands there (a file, a
// folder, a link) is read again with `read`, which throws when it refuses it;
// what is refused is moved to AsidePath, replacing an older one. The check is
// made now and not at start because another copy of the program may have
// written a sound file there in between. True when the target may be
// replaced: nothing stood there, it is readable, or it was moved aside.
// Never throws.
bool MakeWay(const boost::filesystem::path& target, const Reader& read);

} // namespace RefusedFile
