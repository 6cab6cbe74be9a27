#include "monitor/readout.h"

#include "core/decimal_comma.h"

namespace qeb::monitor {
namespace {

bool CharAt(const std::string& text, std::size_t index, char c) {
    return text.size() > index && text[index] == c;
}

bool CommaInFirstFour(const std::string& text) {
    return text.substr(0, 4).find(',') != std::string::npos;
}

void ShowPh(link::StatusFrame& frame, Readout& readout) {
    if (CharAt(frame.PH, 1, ',')) {
        frame.PH[1] = '.';
    }
    readout.Label7.text = frame.PH;
    if (!frame.PH.empty() && frame.PH.front() == '9' && frame.OutCO2 == "0") {
        readout.Label7.text = ">10";
        frame.PH = ">10";
    }
}

void ShowCo2(const link::StatusFrame& frame, Readout& readout) {
    const std::string& ppm = frame.PPM;
    if (CharAt(ppm, 1, ',')) {
        readout.Label11.text = "0" + ppm;
    }
    if (CharAt(ppm, 2, ',')) {
        readout.Label11.text = ppm;
    }
    if (ppm == "100") {
        readout.Label11.text = ">" + ppm + "!";
    }
}

void ShowHardness(const link::StatusFrame& frame, Readout& readout) {
    const bool khSet = frame.KH != "0";
    if (khSet && core::ParseInteger(frame.KH) <= 9) {
        readout.Label12.text = "0" + frame.KH;
    }
    if (khSet && core::ParseInteger(frame.KH) > 9) {
        readout.Label12.text = frame.KH;
    }
    if (frame.PPM == "0" && !khSet) {
        readout.Label12.text = "--";
        readout.Label11.text = "--.-";
    }
    if (frame.PPM == "0" && khSet) {
        readout.Label11.text = "00.0";
    }
}

void ShowAlarmLimits(const link::StatusFrame& frame, Readout& readout) {
    if (frame.KH.size() >= 3 || CommaInFirstFour(frame.Alarm)) {
        return;
    }
    const long double margin = core::ParseDecimal(frame.Alarm) / 100.0L;
    const long double lower = core::ParseDecimal(frame.PHmin) - margin;
    const long double upper = core::ParseDecimal(frame.PHmax) + margin;
    readout.Label17.text = core::FormatHundredths(lower);
    readout.Label23.text = core::FormatHundredths(upper);
}

void ShowOutput(const std::string& state, bool& pictureVisible) {
    if (state == "1") {
        pictureVisible = true;
    } else if (state == "0") {
        pictureVisible = false;
    }
}

}  // namespace

void ShowStatus(link::StatusFrame& frame, Readout& readout) {
    for (ReadoutLabel* label :
         {&readout.Label7, &readout.Label8, &readout.Label9, &readout.Label10, &readout.Label11,
          &readout.Label12, &readout.Label17, &readout.Label23}) {
        label->visible = true;
    }
    readout.Image4Visible = true;

    ShowPh(frame, readout);
    readout.Label8.text = frame.PHmin;
    readout.Label9.text = frame.PHmax;
    ShowCo2(frame, readout);
    ShowHardness(frame, readout);
    ShowAlarmLimits(frame, readout);
    ShowOutput(frame.OutO2, readout.Image2Visible);
    ShowOutput(frame.OutCO2, readout.Image1Visible);
}

void ShowZeros(Readout& readout) {
    for (ReadoutLabel* label : {&readout.Label7, &readout.Label8, &readout.Label9, &readout.Label11,
                                &readout.Label17, &readout.Label23}) {
        label->text = "0.00";
    }
    readout.Label12.text = "00";
}

void HideReadout(Readout& readout) {
    for (ReadoutLabel* label :
         {&readout.Label7, &readout.Label8, &readout.Label9, &readout.Label10, &readout.Label11,
          &readout.Label12, &readout.Label17, &readout.Label23}) {
        label->visible = false;
    }
    readout.Image4Visible = false;
}

}  // namespace qeb::monitor
