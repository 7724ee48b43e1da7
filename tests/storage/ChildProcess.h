#pragma once

#include <boost/filesystem/path.hpp>

#include <functional>
#include <vector>

// Runs `body` in a forked copy of the test and gives its exit code (or 128 +
// signal). Faults that would disturb the test itself (a file-size limit, lost
// rights) are set up inside the child only.
int RunInChild(const std::function<int()>& body);

// As RunInChild, but the child gives up root first (to user and group
// 65534), after `folders` have been handed to that user, so that file
// permissions hold as they do for a player. Without root the child keeps the
// test's user.
int RunAsPlayer(const std::vector<boost::filesystem::path>& folders,
                const std::function<int()>& body);

// True when the test runs as root, so that RunAsPlayer changes the user.
bool RunningAsRoot();
