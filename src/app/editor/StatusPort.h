#pragma once

#include <string>

#include "app/editor/FramePorts.h"

namespace quendar::app {

// Where a room reports what the user should know without a box (a failure
// it works around): the window shows it in the message pane.
class StatusPort {
  public:
    virtual ~StatusPort() = default;
    virtual void showStatus(const std::string& text) = 0;
};

// The message pane of a frame view as a status port.
class MessagePane : public StatusPort {
  public:
    explicit MessagePane(FrameView& view) : m_view(view) {}
    void showStatus(const std::string& text) override { m_view.setPaneText(Pane::Message, text); }

  private:
    FrameView& m_view;
};

}  // namespace quendar::app
