#pragma once

#include <QByteArray>

namespace kelvara::sim {

// One framed adapter command: its letter and the data characters between the letter and the optional
// checksum (for example "0144" of aW0144, or ",FF" of aS,FF).
struct Command {
    enum class Status {
        Ok,
        BadChecksum,  // a checksum was there and did not match
        Malformed,    // unknown letter, wrong data length or data that is not hexadecimal
        OtherChannel, // addressed to another adapter on the line
    };
    Status status = Status::Ok;
    char letter = 0;
    QByteArray data;
    bool checksummed = false;
};

} // namespace kelvara::sim
