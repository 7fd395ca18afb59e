#pragma once

#include <array>
#include <string_view>

#include "formkit/Program.h"
#include "forms/Form3.h"
#include "hostwin/ChatClient.h"

namespace panels {

// The lines "__" and "X" say in the room, faded, before the panel goes.
inline constexpr std::u16string_view kMinimizeLine = u"(o Y o)To Much Gotta Put This Down(o Y o)";
inline constexpr std::u16string_view kCloseLine = u"(o Y o)That Felt Good To Cum(o Y o)";

// A link button and the address it opens in the chat client.
struct Link {
  std::string_view button;
  std::u16string_view address;
};

// A picture search in a public collection. The query is 80 bytes, every one percent-encoded,
// stored and sent as it stands ("balloon OR airship OR ..."); the collection ignores appname.
inline constexpr std::u16string_view kPictureSearch =
    u"https://www.europeana.eu/en/search?appname=Zibbet&query="
    u"%62%61%6C%6C%6F%6F%6E%20%4F%52%20%61%69%72%73%68%69%70%20%4F%52%20%7A%65%70%70"
    u"%65%6C%69%6E%20%4F%52%20%70%61%72%61%63%68%75%74%65%20%4F%52%20%6C%69%67%68%74"
    u"%68%6F%75%73%65%20%4F%52%20%77%69%6E%64%6D%69%6C%6C%20%4F%52%20%73%61%69%6C%69"
    u"%6E%67";

// The twelve built-in addresses, by button.
inline constexpr std::array<Link, 12> kLinks = {{
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

// The area behind the secret panel: twelve buttons that open picture collections through the
// client's keyword box, and its own minimize and close labels.
class LinksPanel final : public formkit::BehaviourOf<forms::kForm3> {
 public:
  LinksPanel(formkit::Program& program, formkit::Form& form, hostwin::ChatClient& chat);

 private:
  // With the link buttons (kLinks), the controls that act; the rest are only shown.
  static constexpr auto kMinimize = Ctl("Label2");
  static constexpr auto kClose = Ctl("Label3");

  void Form_Load();
  void Form_Click();
  void Form_DblClick();
  void Label2_Click();
  void Label3_Click();

  formkit::Program& program_;
  formkit::Form& form_;
  hostwin::ChatClient& chat_;
};

}  // namespace panels
