#include "panels/LinksPanel.h"

#include <string>

namespace panels {
namespace {

constexpr std::u16string_view kMinimizeLine = u"(o Y o)To Much Gotta Put This Down(o Y o)";
constexpr std::u16string_view kCloseLine = u"(o Y o)That Felt Good To Cum(o Y o)";

// The search redirect's query is an opaque token of 80 bytes, stored and sent as it stands.
constexpr std::u16string_view kSearchRedirect =
    u"https://search.chatclient.example/redirect?appname=Zibbet&query="
    u"%D1%0A%67%C0%EA%56%17%F9%B7%D6%AE%FA%69%0B%64%97%B4%C5%B0%ED%29%09%9F%0E%BE%B1"
    u"%6B%B0%01%BC%A5%6E%76%1F%30%F5%5B%34%AC%34%D1%A4%84%04%2F%97%10%7F%3A%29%D9%9F"
    u"%5A%CA%CD%DB%00%9D%83%26%16%7C%2D%E0%93%06%E6%61%1B%14%6F%DE%7D%74%F2%C6%85%38"
    u"%66%91";

}  // namespace

const std::array<Link, 12>& Links() {
  static const std::array<Link, 12> links = {{
      {"Command1", u"https://commons.wikimedia.org"},
      {"Command2", u"https://www.loc.gov"},
      {"Command3", u"https://www.nga.gov"},
      {"Command4", u"https://www.nasa.gov/images/"},
      {"Command5", u"https://www.metmuseum.org/art/collection"},
      {"Command6", u"https://www.si.edu/openaccess"},
      {"Command9", u"https://www.nasa.gov/image-of-the-day/"},
      {"Command10", u"https://www.artic.edu/collection"},
      {"Command7", u"https://www.europeana.eu"},
      {"Command8", u"https://digitalcollections.nypl.org"},
      {"Command13", u"https://www.flickr.com/commons"},
      {"Command14", kSearchRedirect},
  }};
  return links;
}

LinksPanel::LinksPanel(forms::Program& program, forms::Form& form, zibbet::ChatClient& chat)
    : program_(program), form_(form), chat_(chat) {
  On("Form_Load", [this] { Form_Load(); });
  On("Form_Click", [this] { Form_Click(); });
  On("Form_DblClick", [this] { Form_DblClick(); });
  On("Label2_Click", [this] { Label2_Click(); });
  On("Label3_Click", [this] { Label3_Click(); });
  for (const auto& link : Links()) {
    On(std::string(link.button) + "_Click",
       [this, address = link.address] { chat_.OpenKeyword(address); });
  }
}

void LinksPanel::Form_Load() {
  program_.Show(forms::FormId::Form5);
  // The picture window is not topmost, so the panel lies above it.
  form_.MakeTopmost();
}

void LinksPanel::Form_Click() { form_.DragWindow(); }

void LinksPanel::Form_DblClick() { form_.DragWindow(); }

void LinksPanel::Label2_Click() {
  chat_.SayFaded(kMinimizeLine);
  form_.SetState(forms::WindowState::Minimized);
}

void LinksPanel::Label3_Click() {
  chat_.SayFaded(kCloseLine);
  program_.Unload(forms::FormId::Form3);
}

}  // namespace panels
