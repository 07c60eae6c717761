// Step 20, N path: the smaller significand, aligned and inverted.
//
// In the same pre-shifted frame as FLP, the smaller significand is shifted
// right by the exponent difference (0 or 1) and inverted, so FLP + FSOPA + 1
// is the difference. A vacated position reads 1 (inverted 0). DELTA[1]
// set: B is larger, A is shifted; DELTA[0] set: A is larger by one, B is
// shifted; else equal exponents, B is taken as the smaller one, unshifted.
module n_small_sig (
    input  [ 0:52] Fa,
    input  [ 0:52] FB,
    input  [ 0:1]  DELTA,   // DELTA[0] is bit 0 of d, DELTA[1] bit 1
    output [-1:52] FSOPA
);
  assign FSOPA = DELTA[1] ? {1'b1, ~Fa} :
                 DELTA[0] ? {1'b1, ~FB} :
                            {~FB, 1'b1};
endmodule
