#pragma once

#include <string>

namespace qeb::link {

// The twelve lines of one status frame, in the order the device sends them.
struct StatusFrame {
    std::string PH;
    std::string PHmin;
    std::string PHmax;
    std::string PPM;
    std::string KH;
    std::string Alarm;
    std::string OutO2;
    std::string OutCO2;
    std::string Brightness;
    std::string Contrast;
    std::string Blank;
    std::string Marker;

    static constexpr int kFieldCount = 12;
    std::string& Field(int index);
    const std::string& Field(int index) const;

    bool operator==(const StatusFrame&) const = default;
};

// The shape checks a frame must pass before anything else looks at it.
bool IsAcceptable(const StatusFrame& frame);

}  // namespace qeb::link
