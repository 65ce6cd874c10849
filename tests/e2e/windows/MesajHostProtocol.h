#pragma once

// How the dialog tests and mesaj_host.exe talk. The host is started as
//   mesaj_host.exe RESULTFILE CALL [CALL...]     CALL = "kind|buttons|heading|text"
// and makes one Mesaj call per CALL, in order. After each call it appends one line to
// RESULTFILE, "<index> <result> <shown>" (shown: how many times the dialog window was shown
// during the call), then waits for the named event NextCallEvent(its process id) before the
// next call, so a test can read the dialog's state between calls.
#include <windows.h>

#include <cstdint>
#include <string>

namespace mesaj_host {

struct Call {
    unsigned kind = 0;
    unsigned buttons = 0;
    std::string heading;
    std::string text;
};

inline std::string Encode(const Call& call) {
    return std::to_string(call.kind) + "|" + std::to_string(call.buttons) + "|" + call.heading +
           "|" + call.text;
}

inline std::string NextCallEvent(DWORD processId) {
    return "MesajHostNextCall-" + std::to_string(processId);
}

} // namespace mesaj_host
