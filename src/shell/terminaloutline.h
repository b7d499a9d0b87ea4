// The terminal's outline: the visible shape of the main window and the edge of its picture.
#pragma once

#include <array>

class QRegion;

namespace fw {

struct OutlinePoint {
    int x;
    int y;
};

inline constexpr int kMainWindowWidth = 267;
inline constexpr int kMainWindowHeight = 645;
inline constexpr int kMainWindowX = 300;
inline constexpr int kMainWindowY = 50;
inline constexpr int kPictureWidth = 240;
inline constexpr int kPictureHeight = 577;

// A closed polygon in window coordinates, filled with the winding rule.
inline constexpr std::array<OutlinePoint, 102> TerminalOutline{{
    {70, 0},    {51, 1},    {40, 2},    {39, 3},    {38, 3},    {37, 3},    {36, 3},    {35, 1},
    {34, 0},    {15, 0},    {14, 1},    {13, 2},    {12, 4},    {11, 6},    {10, 9},    {9, 13},
    {8, 16},    {7, 19},    {6, 23},    {5, 26},    {4, 30},    {3, 33},    {2, 37},    {1, 42},
    {0, 48},    {0, 265},   {1, 272},   {2, 281},   {3, 288},   {4, 295},   {5, 304},   {6, 311},
    {7, 320},   {8, 326},   {9, 332},   {10, 340},  {11, 346},  {12, 352},  {13, 361},  {14, 369},
    {15, 382},  {16, 403},  {17, 425},  {18, 452},  {19, 498},  {20, 549},  {21, 572},  {22, 573},
    {23, 574},  {24, 575},  {25, 576},  {214, 576}, {215, 575}, {216, 574}, {217, 573}, {218, 572},
    {219, 549}, {220, 498}, {221, 452}, {222, 425}, {223, 403}, {224, 382}, {225, 369}, {226, 361},
    {227, 352}, {228, 346}, {229, 340}, {230, 332}, {231, 326}, {232, 320}, {233, 311}, {234, 304},
    {235, 295}, {236, 288}, {237, 281}, {238, 272}, {239, 265}, {239, 48},  {238, 42},  {237, 37},
    {236, 33},  {235, 30},  {234, 26},  {233, 23},  {232, 19},  {231, 16},  {230, 13},  {229, 9},
    {228, 6},   {227, 4},   {226, 2},   {225, 1},   {224, 0},   {205, 0},   {204, 1},   {203, 3},
    {202, 3},   {201, 3},   {200, 3},   {199, 2},   {188, 1},   {169, 0},
}};

// The window region that cuts the main window to the outline.
QRegion TerminalOutlineRegion();

}  // namespace fw
