#pragma once

#include "tests/support/MessageLog.h"

#include "views/win/framework/CWindow.h"

#include <functional>
#include <map>

namespace wintest {

// A window object that records the messages it receives into a log, which
// several spies may share so the log shows the order across windows. By
// default it records every message and lets CWindow answer; a test narrows
// the recorded range, sets fixed answers, or reacts to a message.
class SpyWindow : public CWindow {
public:
    explicit SpyWindow(MessageLog& log) : m_log(log) {}

    // Only messages in [first, last] are recorded and answered here; the
    // others go to the default processing unrecorded.
    void RecordOnly(UINT first, UINT last) {
        m_first = first;
        m_last = last;
    }
    // A recorded `message` returns `result` (0 when none is set).
    void SetReply(UINT message, LRESULT result) { m_replies[message] = result; }
    // Called for every recorded message before it is answered; a test can
    // throw from it to make a send fail.
    void SetOnMessage(std::function<void(const Recorded&)> onMessage) {
        m_onMessage = std::move(onMessage);
    }
    // Creates the window with no screen peer: message-only when `parent` is
    // null, else a child of `parent`. Returns false when creation failed.
    bool CreateHeadless(HWND parent = nullptr);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    MessageLog& m_log;
    UINT m_first = 0;
    UINT m_last = ~UINT{0};
    std::map<UINT, LRESULT> m_replies;
    std::function<void(const Recorded&)> m_onMessage;
};

} // namespace wintest
