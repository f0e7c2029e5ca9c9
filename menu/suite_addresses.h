#pragma once
// The two addresses the suite keeps in its "setup.ini", section "suite": "website", the suite's
// web site, and "scoreserver", the score server's scheme and host. Both default to the address
// where the suite's own score server listens when it runs on this machine.
#include <string>

constexpr char DEFAULT_SUITE_ADDRESS[] = "http://127.0.0.1:8080";

// setupPath names the suite's "setup.ini" from the current directory. A missing or empty value
// gives the default.
std::string ReadSuiteWebsite(const char* setupPath);
std::string ReadScoreServer(const char* setupPath);
