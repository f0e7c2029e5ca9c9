#pragma once
// The program's arguments joined with single spaces into one command line, cut to fit.
void JoinCommandLine(int argc, char** argv, char* out, int size);
