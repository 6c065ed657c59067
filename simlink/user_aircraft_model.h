#pragma once
// The user aircraft's title and model, as the simulator reports them once a
// flight runs: the title is shown in the main window; the model ("ATC
// MODEL") is turned into an ICAO type code, which gives the user aircraft's
// half wing span and size category. Link thread.

#include <string>
#include <string_view>

// The "TITLE" reply: cut to 48 characters (never inside a UTF-8 sequence),
// shown and logged when it changed.
void onUserAircraftTitle(std::string_view title);

// The "ATC MODEL" reply: sets userHalfSpanNm, userHalfSpanKnown and
// userCategory, and MainWindow::userModelKnown. Throws
// qrx::UserErrorException (code 73 for any failure that is not one already).
void detectUserAircraftModel(std::string_view atcModel);

void gf_resetUserAircraftTitle();
