// Step 3, 1's complement: the effective operation and the complement.
//
// The adder really subtracts when the signs and the operation say so:
// seff = SA xor SB xor SOP (1 = effective subtraction). For a subtraction
// both significands are inverted (one's complement); which one really is
// subtracted is settled by the swaps, and the other is not taken from here.
module r11_comp (
    input        Sa,
    input        SB,
    input        SOP,
    input  [0:52] Fa,
    input  [0:52] FB,
    output       seff,
    output [0:52] FAO,
    output [0:52] FBO
);
  assign seff = Sa ^ SB ^ SOP;
  assign FAO  = Fa ^ {53{seff}};
  assign FBO  = FB ^ {53{seff}};
endmodule
