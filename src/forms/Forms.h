#pragma once
// forms/ holds this program's five window descriptions, one header each, with their pictures and
// icons (pictures/, numbered in Resources.h, listed in Pictures.rc).

#include <algorithm>

#include "formkit/Program.h"
#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/Form5.h"

namespace forms {

// The program's five windows, as each is built.
inline constexpr formkit::Descriptions kDescriptions = {&kForm1, &kForm2, &kForm3, &kForm4,
                                                        &kForm5};

static_assert(std::ranges::all_of(kDescriptions, [](const formkit::FormDesc* desc) {
  return formkit::NamesAndTabsUnique(*desc);
}));

constexpr const formkit::FormDesc& DescriptionOf(formkit::FormId id) {
  return *kDescriptions[static_cast<std::size_t>(id)];
}

}  // namespace forms
