// Step 4, Align 1: one-position pre-shift of both significands.
//
// Effective subtraction: shifted one position left (A now reads [-1:52],
// B [0:53] in the same cells), filled with a 1 at the bottom so the
// one's complement stays a one's complement. Effective addition: shifted
// one position right, a 0 on top. This keeps the R path's sum in a fixed
// frame for both operations.
module r1_align1 (
    input  [ 0:52] FAO,
    input  [ 0:52] FBO,
    input          seff,
    output [-1:52] FAOP,
    output [ 0:53] FBOP
);
  assign FAOP = seff ? {FAO, 1'b1} : {1'b0, FAO};
  assign FBOP = seff ? {FBO, 1'b1} : {1'b0, FBO};
endmodule
