#pragma once

#include <string>

#include "link/status_frame.h"

namespace qeb::monitor {

struct ReadoutLabel {
    std::string text;
    bool visible = false;

    bool operator==(const ReadoutLabel&) const = default;
};

// What the readout panel shows. The rules below change it in place, and an element that a rule
// does not reach keeps what it showed before.
struct Readout {
    ReadoutLabel Label7{"-,--"};   // measured pH
    ReadoutLabel Label8{"-,--"};   // lower bound of the range
    ReadoutLabel Label9{"-,--"};   // upper bound of the range
    ReadoutLabel Label17{"-,--"};  // lower alarm limit
    ReadoutLabel Label23{"-,--"};  // upper alarm limit
    ReadoutLabel Label10{"ALARM", true};
    ReadoutLabel Label11{"-,--"};  // CO2 ppm
    ReadoutLabel Label12{"--"};    // KH
    bool Image2Visible = false;    // O2 output on
    bool Image1Visible = false;    // CO2 output on
    bool Image4Visible = false;    // wireless link icon
    bool Image8Visible = false;    // cable link icon, drawn over Image4

    bool operator==(const Readout&) const = default;
};

// The readout of an accepted frame. Writes the frame's PH field as shown ("7.05" or ">10").
// Throws core::ConversionError when KH, PHmin, PHmax or Alarm is not a number where a rule needs
// it; the steps before the failing one have then already changed the readout.
void ShowStatus(link::StatusFrame& frame, Readout& readout);

// What the device's silence looks like.
void ShowZeros(Readout& readout);

void HideReadout(Readout& readout);

}  // namespace qeb::monitor
