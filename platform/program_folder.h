#pragma once
namespace plat {
// Makes the folder of the running program the current directory, so the program finds its
// files however it was started. False when the folder cannot be found or entered.
bool ChangeToProgramFolder();
} // namespace plat
