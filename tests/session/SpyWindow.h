#pragma once

#include "views/win/framework/CWindow.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// One message as a spy window received it. For the status text the text is
// copied during the call, since its address is valid only then.
struct SentMessage {
    std::string to;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;

    friend bool operator==(const SentMessage&, const SentMessage&) = default;
};

std::ostream& operator<<(std::ostream& out, const SentMessage& sent);

using MessageLog = std::vector<SentMessage>;

// A message-only window that records every private message it receives into a
// log shared with other spies, in order. The parent spy answers the request
// for the hint strip with the window set by SetHintStrip.
class SpyWindow : public CWindow {
public:
    SpyWindow(std::string name, MessageLog& log);
    ~SpyWindow() override;

    void SetHintStrip(HWND hintStrip) { m_hintStrip = hintStrip; }
    // Called for every recorded message before it is answered; a test can
    // throw from it to make a send fail.
    void SetOnMessage(std::function<void(const SentMessage&)> onMessage) {
        m_onMessage = std::move(onMessage);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string m_name;
    MessageLog& m_log;
    HWND m_hintStrip = nullptr;
    std::function<void(const SentMessage&)> m_onMessage;
};

// Creates `window` as a window with no screen peer: message-only when
// `parent` is null, else a child of `parent`.
void CreateHeadlessWindow(CWindow& window, HWND parent);
