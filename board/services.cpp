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

int Services::messageBox(std::string_view text, int style, std::optional<std::string_view> title) {
    const OpenBox open(*this);
    return showMessageBox(text, style, title.value_or(kApplicationTitle));
}

std::string Services::inputBox(std::string_view prompt, std::string_view prefilled) {
    const OpenBox open(*this);
    return showInputBox(prompt, kApplicationTitle, prefilled);
}

}  // namespace crestaverde
