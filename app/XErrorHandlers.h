// The program's answer to errors the X server reports. Xlib's own handlers
// end the process on any error; a window another client unmaps or moves
// between a check and a read-back is reason enough for one, so the toolkit
// installs its own when the display opens.
#pragma once

// An X error is logged once per kind (error, request and minor code) and the
// request that caused it goes without effect: the Xlib call that waited for
// its reply returns failure, and its caller leaves its target unchanged. An
// I/O error (the server gone) logs one line and ends the program with status 1.
void InstallXErrorHandlers();
// Every kind of error is logged again at its next occurrence (for tests).
void ForgetReportedXErrors();
