// SPDX-License-Identifier: GPL-3.0-or-later
#include "services.h"

namespace crestaverde {

// Counts a box as open for as long as it is on screen, also when the box ends by an exception.
class Services::OpenBox {
  public:
    explicit OpenBox(Services& services) : services_(services) { ++services_.openBoxes_; }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;
    ~OpenBox() {
        if (--services_.openBoxes_ == 0 && services_.boxesClosed_) services_.boxesClosed_();
    }

  private:
    Services& services_;
};

void Services::message(std::string_view text, BoxIcon icon, std::string_view title) {
    const OpenBox open(*this);
    showMessage(text, icon, title);
}

bool Services::ask(std::string_view text) {
    const OpenBox open(*this);
    return showQuestion(text, texts::kApplicationTitle);
}

std::string Services::askText(std::string_view prompt, std::string_view prefilled, int maxLength) {
    const OpenBox open(*this);
    return showTextBox(prompt, texts::kApplicationTitle, prefilled, maxLength);
}

}  // namespace crestaverde
