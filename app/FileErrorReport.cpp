#include "app/FileErrorReport.h"

#include "app/ResourceText.h"

#include <boost/system/system_error.hpp>

#include <system_error>

namespace {

std::string OsErrorText(int code, const std::string& text) {
    return "OS Error: (" + std::to_string(code) + ") " + text;
}

} // namespace

std::string FileErrorText(const std::exception& error) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
        return OsErrorText(system->code().value(), system->code().message());
    }
    if (const auto* system = dynamic_cast<const boost::system::system_error*>(&error)) {
        return OsErrorText(system->code().value(), system->code().message());
    }
    return error.what();
}

void ReportFileError(HWND owner, const std::exception& error, UINT captionId) {
    const std::string caption = LoadText(captionId);
    MessageBox(owner, FileErrorText(error).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}
