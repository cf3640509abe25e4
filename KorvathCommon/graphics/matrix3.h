#pragma once
// 3 x 3 transforms of drawing, row by row: x axis, y axis, translation (x, y, 1).

struct TMatrix3 {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    void Copy(const TMatrix3& other);
    // result's axis rows = a's axis rows times b's 2 x 2 part (third column 0); its translation is a's.
    // result may be a or b.
    static void Multiply(TMatrix3& result, const TMatrix3& a, const TMatrix3& b);
    // this = this x the rotation with axis rows (cos, sin) and (-sin, cos).
    void Rotate(float angle);
    // this = this x diag(sx, sy, 1).
    void Scale(float sx, float sy);
};
