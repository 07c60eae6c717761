// Step 25, Results: the result from the chosen path.
//
// The significand comes from the R path (F.FAR, its last bit from the
// second selection) or from the N path (F_NEAR), the exponent from the
// path decision, the sign from the operand comparison made with the
// rounding injection. The 64-bit result leaves out the hidden bit Fa[0].
module results (
    input          IS_R,
    input  [ 0:51] FFAR,
    input  [52:52] FFAR52,
    input  [ 0:52] F_NEAR,
    input  [10:0]  E_final,
    input          Sa,         // result sign
    output [10:0]  Ea,
    output [ 0:52] Fa,
    output [63:0]  result
);
  assign Fa = IS_R ? {FFAR, FFAR52} : F_NEAR;
  assign Ea = E_final;
  assign result = {Sa, Ea, Fa[1:52]};
endmodule
