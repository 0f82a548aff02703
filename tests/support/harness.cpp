// The scripted user: performs one step on the real widgets each time the program is about to
// wait for an event, and answers requesters from its queue. See harness.h.
#include "harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const bool UpdatingGolden = std::getenv("BRONDEL_UPDATE_GOLDEN") != nullptr;
const bool Tracing = std::getenv("BRONDEL_TRACE") != nullptr;

} // namespace

Script::Step Script::Click(int gadget, int window, int x, int y, bool right) {
    return [=] { return userhalf::Click(gadget, window, x, y, right); };
}

Script& Script::TypeText(int number, const Text& text) {
    ClickGadget(number).Add([=] { return userhalf::Press(0x23); }); // End
    for (size_t at = 0, length; at < text.size(); at += length) {
        length = 1; // the bytes of one UTF-8 character
        while (at + length < text.size() && (text[at + length] & 0xC0) == 0x80) ++length;
        Add([=] { return userhalf::Type(number, text.substr(at, length)); });
    }
    return *this;
}

Script& Script::PressKey(int key) {
    return Add([=] { return userhalf::Press(key); });
}

Script& Script::CloseWindow(int window) {
    return Add([=] { return userhalf::Close(window); });
}

Script& Script::ChoosePopupItem(int id) {
    return Add([=]() -> std::string {
        const std::vector<PopupItemSeen> items = OpenPopupItems();
        for (size_t at = 0; at < items.size(); ++at)
            if (!items[at].separator && items[at].id == id)
                return userhalf::ChooseItem(id, int(at));
        return "no popup menu with item " + std::to_string(id) + " is open";
    });
}

Script& Script::DismissPopup() {
    return Add([] {
        return OpenPopupItems().empty() ? "no popup menu is open" : userhalf::DismissPopup();
    });
}

Script& Script::Call(std::function<void()> action) {
    return Add([action = std::move(action)] { return action(), std::string(); });
}

void Script::Stop(const std::string& message) {
    if (!stopped_) ADD_FAILURE() << message;
    stopped_ = true;
    RequestQuit();
}

void Script::NextStep() {
    if (steps_.empty() || stopped_)
        return Stop("the program waits for an event, but the script has no step left after " +
                    std::to_string(done_) + " steps");
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    if (Tracing) fprintf(stderr, "step %zu\n", done_ + 1);
    const std::string why = step();
    if (++done_, !why.empty())
        Stop("step " + std::to_string(done_) + " of the script cannot be done: " + why);
}

RequesterAnswer Script::Respond(const RequesterCall& call) {
    requests_.push_back(call);
    if (!answers_.empty() && answers_.front().first == call.kind) {
        const RequesterAnswer answer = answers_.front().second;
        answers_.pop_front();
        return answer;
    }
    Stop("the program asks a " + call.kind + " requester (\"" + call.caption + "\", \"" +
         call.text.substr(0, 60) + "\"), but the script's next answer is for another one or none");
    return {call.kind == "colour" ? -1 : 0, {}}; // cancel
}

void Script::Run(const std::function<void()>& program) {
    ClearQuitRequest();
    SetBeforeWaitHook([this] { NextStep(); });
    SetRequesterHook([this](const RequesterCall& call) { return Respond(call); });
    program();
    SetBeforeWaitHook({});
    SetRequesterHook({});
    if (!stopped_ && (!steps_.empty() || !answers_.empty()))
        ADD_FAILURE() << "the program ended with " << steps_.size() << " script steps and "
                      << answers_.size() << " requester answers left";
    ReleaseAll();
    ClearQuitRequest();
}

::testing::AssertionResult MatchesGolden(const Text& text, const std::string& golden) {
    if (UpdatingGolden) std::ofstream(golden, std::ios::binary) << text;
    std::stringstream expected;
    expected << std::ifstream(golden, std::ios::binary).rdbuf();
    if (text == expected.str()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << golden << " differs from:\n" << text;
}
