#include "link/status_frame.h"

#include <array>

namespace qeb::link {
namespace {

constexpr std::array kFields = {
    &StatusFrame::PH,         &StatusFrame::PHmin,    &StatusFrame::PHmax, &StatusFrame::PPM,
    &StatusFrame::KH,         &StatusFrame::Alarm,    &StatusFrame::OutO2, &StatusFrame::OutCO2,
    &StatusFrame::Brightness, &StatusFrame::Contrast, &StatusFrame::Blank, &StatusFrame::Marker,
};
static_assert(kFields.size() == StatusFrame::kFieldCount);

bool IsPhForm(const std::string& text) {
    return text.size() == 4 && text[1] == ',';
}

}  // namespace

std::string& StatusFrame::Field(int index) {
    return this->*kFields.at(index);
}

const std::string& StatusFrame::Field(int index) const {
    return this->*kFields.at(index);
}

bool IsAcceptable(const StatusFrame& f) {
    // The length checks come before the comma checks so that a short field is never indexed.
    if (f.PH.size() != 4 || f.PHmin.size() != 4 || f.PHmax.size() != 4) {
        return false;
    }
    if (f.OutO2.size() != 1 || f.OutCO2.size() != 1) {
        return false;
    }
    if (!IsPhForm(f.PH) || !IsPhForm(f.PHmin) || !IsPhForm(f.PHmax)) {
        return false;
    }
    return f.Blank == " " && f.Marker == "-";
}

}  // namespace qeb::link
