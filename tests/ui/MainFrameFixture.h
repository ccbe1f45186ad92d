#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "WindowFixture.h"

namespace quendar::test {

// The window as a user starts it: every first-run form shown is recorded
// and answered with its Ok.
class MainFrameTest : public WindowTest {
  protected:
    ui::CMainFrame& start() {
        makeFrame();
        frame->forms().modalHook = [this](ui::FormDialog& d) {
            formsShown.push_back(d.model().title());
            d.model().click("ok");
        };
        frame->pictureHook = [this](QDialog& d) {
            formsShown.push_back("first-run picture");
            d.accept();
        };
        frame->startUp();
        return *frame;
    }

    // With qd.dat in place: started at the given size and shown.
    ui::CMainFrame& startShown(int width, int height) {
        writePreferences();
        start().resize(width, height);
        frame->show();
        return *frame;
    }

    bool run(app::CommandId id) { return trigger(id); }

    static std::vector<uint8_t> bytes(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }

    std::vector<std::string> formsShown;
};

}  // namespace quendar::test
