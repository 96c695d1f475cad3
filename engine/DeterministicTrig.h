// Sine and cosine that give the same bits on every build: the C libraries'
// sin and cos differ in the last bit between platforms, and one bit in a
// stroke position can move a stamp by a subpixel. Only + - * / on doubles,
// so with contraction off and SSE arithmetic the results are identical
// everywhere. Accuracy: within about 2e-16 of the true value for
// |x| < 2.1e8; beyond that the argument is first reduced modulo the double
// nearest 2*pi, which stays deterministic but drifts from the true sine by
// up to about 4e-17 * |x|. Non-finite arguments give NaN.
#pragma once

double DeterministicSin(double x);
double DeterministicCos(double x);
// The same bits for n arguments in one loop, where the processor overlaps
// their independent chains; sines and cosines of floats come back rounded
// to float (both from one argument reduction).
void DeterministicSines(const double* x, double* sine, int n);
void DeterministicSinesAndCosines(const float* x, float* sine, float* cosine, int n);

// Exact remainder of x / y with the sign of x (what fmod computes), done on
// the integer mantissas so that no library is involved. y must be finite
// and non-zero, x finite.
double ExactRemainder(double x, double y);
