// Step 16, post-normalisation shift of both candidates.
//
// A candidate whose overflow bit [-1] is set is one bit too long: it is
// taken one position to the right (bits -1..50), otherwise bits 0..51.
module r2_post (
    input  [-1:51] FPOSUM,
    input  [-1:51] FPOSUMI,
    output [ 0:51] FPOSUM_s,
    output [ 0:51] FPOSUMI_s
);
  assign FPOSUM_s  = FPOSUM[-1] ? FPOSUM[-1:50] : FPOSUM[0:51];
  assign FPOSUMI_s = FPOSUMI[-1] ? FPOSUMI[-1:50] : FPOSUMI[0:51];
endmodule
