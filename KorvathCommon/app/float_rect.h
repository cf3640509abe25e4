#pragma once
// A rectangle in fractional pixels: what a draw covers, for the frame's clear as much as for the copy.

struct TFloatRect {
    float x = 0;
    float y = 0;
    float w = 0;
    float h = 0;
};
