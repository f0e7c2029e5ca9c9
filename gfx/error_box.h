#pragma once
// The message box shown when a picture file a sprite needs is missing: the file name is the
// text and "ERROR: can't find file!" the caption.
void ShowFileErrorBox(const char* fileName);
