// Names of tile codes for the checker's messages: "wall (8)", "Gate-Keeper C (73)".
#pragma once

#include <string>
#include <vector>

namespace kelvorn::floorcheck {

std::string codeName(int code);
// "cell 5", or "cells 4, 6 and 9".
std::string cellList(const std::vector<int>& cells);
// "7", "7 or 12", "3, 4 or 5".
std::string numberList(const std::vector<int>& numbers, const char* last = "or");

}  // namespace kelvorn::floorcheck
