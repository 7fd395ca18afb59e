#include "panels/LinksPanel.h"

#include <string>

namespace panels {
namespace {

// A picture search in a public collection. The query is 80 bytes, every one percent-encoded,
// stored and sent as it stands ("balloon OR airship OR ..."); the collection ignores appname.
constexpr std::u16string_view kPictureSearch =
    u"https://www.europeana.eu/en/search?appname=Zibbet&query="
    u"%62%61%6C%6C%6F%6F%6E%20%4F%52%20%61%69%72%73%68%69%70%20%4F%52%20%7A%65%70%70"
    u"%65%6C%69%6E%20%4F%52%20%70%61%72%61%63%68%75%74%65%20%4F%52%20%6C%69%67%68%74"
    u"%68%6F%75%73%65%20%4F%52%20%77%69%6E%64%6D%69%6C%6C%20%4F%52%20%73%61%69%6C%69"
    u"%6E%67";

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
      {"Command14", kPictureSearch},
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
