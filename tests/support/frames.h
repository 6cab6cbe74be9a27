#pragma once

#include <string>

namespace qeb::test {

// Twelve lines as the device sends them after a "-" line.
struct FrameText {
    std::string PH = "7,05";
    std::string PHmin = "6,90";
    std::string PHmax = "7,10";
    std::string PPM = "25,3";
    std::string KH = "4";
    std::string Alarm = "20";
    std::string OutO2 = "1";
    std::string OutCO2 = "0";
    std::string Brightness = "100";
    std::string Contrast = "14";
    std::string Blank = " ";
    std::string Marker = "-";

    // The frame's twelve lines, each ended by CR LF.
    std::string Lines() const {
        std::string text;
        for (const std::string* f : {&PH, &PHmin, &PHmax, &PPM, &KH, &Alarm, &OutO2, &OutCO2,
                                     &Brightness, &Contrast, &Blank, &Marker}) {
            text += *f + "\r\n";
        }
        return text;
    }
};

// Enough of the stream for one cut: a leading marker, the frame, and the next frame's lines.
inline std::string StreamFor(const FrameText& frame) {
    return "-\r\n" + frame.Lines() + FrameText{}.Lines();
}

}  // namespace qeb::test
