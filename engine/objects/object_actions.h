#pragma once
// Final-result actions of the binary-object commands "AT^SBNR=" (read) and
// "AT^SBNW=" (a packet of an upload, or a delete) for the types "vcs"
// (calendar), "mid" (melody) and "bmp" (logo), on "OK" and on "ERROR".
//
// Where the echo stands above the "OK":
//   - an empty read:               echo, blank, OK                 (i - 2)
//   - a read object:               echo, blank, then header "^SBNR: " and
//                                  one data line per part, blank, OK
//                                  (the last header at i - 3)
//   - an accepted upload packet:   echo, blank, "> " + the echoed packet, OK
//                                  (echo at i - 3, packet at i - 1)
//   - a delete:                    echo, blank, OK                 (i - 2)
//   - a refused packet:            echo, blank, "> " + the echoed packet,
//                                  then the error (echo at i - 3)
// Any final error form ends the read or upload it answers; "ERROR" then
// shows the command's text, or "Error occurred while trying to send
// packet!" for a refused packet.
// An upload and a delete of the same type are told apart by the type's
// upload guard (UploadState).

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> ObjectActions();

}  // namespace parlenko
