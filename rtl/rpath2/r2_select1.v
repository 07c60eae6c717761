// Step 17, final selection of bits 0..51: the incremented candidate when
// the rounding decision says so (RINC), else the plain one.
module r2_select1 (
    input  [0:51] FPOSUM_s,
    input  [0:51] FPOSUMI_s,
    input         RINC,
    output [0:51] FFAR
);
  assign FFAR = RINC ? FPOSUMI_s : FPOSUM_s;
endmodule
