#!/usr/bin/env python3
"""Gate count and logic depth of every block of the adder, with Yosys.

Method, the same for every row: the block is flattened and synthesized
(`synth -flatten`), then mapped by ABC onto generic two-input gates
(`abc -g gates`: AND, NAND, OR, NOR, XOR, XNOR, ANDNOT, ORNOT, and NOT).
cells = all gates (and flip-flops, counted apart in `flops`); depth = the
longest topological path in gates (`ltp -noff`: flip-flops cut the paths,
so for the pipelined adder it is the deeper of the two cycles).

Writes rtl/cost.tsv and prints the table. Usage: cost.py [-j N]
"""
import argparse
import concurrent.futures
import pathlib
import re
import subprocess
import sys

RTL = pathlib.Path(__file__).resolve().parent.parent

# (module, model stage or "-", kind) in pipeline order.
BLOCKS = [
    ("operand_entry", "-", "input"),
    ("set_inj", "-", "input"),
    ("r1_medium", "R1Medium", "stage"),
    ("r1_large", "R1Large", "stage"),
    ("r11_comp", "R11Comp", "stage"),
    ("r1_align1", "R1Align1", "stage"),
    ("r1_swap1", "R1Swap1", "stage"),
    ("r1_swap2", "R1Swap2", "stage"),
    ("r1_swap3", "R1Swap3", "stage"),
    ("r1_shift_r", "R1ShiftR", "stage"),
    ("r1_big_mux", "R1BigMux", "stage"),
    ("r1_shift_l", "R1ShiftL", "stage"),
    ("r1_is_r1", "R1IsR1", "stage"),
    ("r2_ha", "R2HA", "stage"),
    ("r2_compound", "R2Compound", "stage"),
    ("r2_sigadd", "R2Sigadd", "stage"),
    ("r2_decide", "R2Decide", "stage"),
    ("r2_post", "R2Post", "stage"),
    ("r2_select1", "R2Select1", "stage"),
    ("r2_select2", "R2Select2", "stage"),
    ("n_small_exp", "NSmallExp", "stage"),
    ("n_small_sig", "NSmallSig", "stage"),
    ("n_sigadd", "NSigadd", "stage"),
    ("n_approx", "NApprox", "stage"),
    ("n_post", "NPost", "stage"),
    ("path_decision", "PathDecision", "stage"),
    ("results", "Results", "stage"),
    ("r_path_cycle1", "-", "path"),
    ("r_path_cycle2", "-", "path"),
    ("r_path", "-", "path"),
    ("n_path_cycle1", "-", "path"),
    ("n_path", "-", "path"),
    ("final_stages", "-", "path"),
    ("sumaris_adder", "-", "adder"),
    ("sumaris_adder_pipe", "-", "adder"),
]


def sources():
    files = [p for p in RTL.rglob("*.v") if "tb" not in p.relative_to(RTL).parts[:-1]
             and not p.name.endswith("_tb.v")]
    return sorted(str(p) for p in files)


def measure(module, files):
    # -q hides the log; the two reports are asked for through tee.
    script = (f"read_verilog {' '.join(files)}; synth -flatten -top {module}; "
              "abc -g gates; opt_clean; tee -o /dev/stdout stat; tee -o /dev/stdout ltp -noff")
    run = subprocess.run(["yosys", "-q", "-p", script], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"yosys failed on {module}:\n{run.stdout}\n{run.stderr}")
    cells = re.search(r"Number of cells:\s+(\d+)", run.stdout)
    depth = re.search(r"Longest topological path in \S+ \(length=(\d+)\)", run.stdout)
    if not cells or not depth:
        sys.exit(f"no statistics for {module}:\n{run.stdout}")
    flops = sum(int(n) for n in re.findall(r"\$_\w*DFF\w*\s+(\d+)", run.stdout))
    # ltp's length is the number of cells the path goes through.
    return int(cells.group(1)), int(depth.group(1)), flops


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-j", type=int, default=2, help="Yosys runs at once")
    parser.add_argument("-o", default=str(RTL / "cost.tsv"), help="table to write")
    args = parser.parse_args()
    files = sources()
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.j) as pool:
        results = list(pool.map(lambda block: measure(block[0], files), BLOCKS))

    lines = ["# Gate count and logic depth of the adder's blocks (make rtl; rtl/scripts/cost.py).",
             "# Yosys: synth -flatten; abc -g gates (2-input gates and inverters); ltp -noff.",
             "# cells: gates and flip-flops; depth: gates on the longest path; flops: flip-flops.",
             "module\tstage\tkind\tcells\tdepth\tflops"]
    for (module, stage, kind), (cells, depth, flops) in zip(BLOCKS, results):
        lines.append(f"{module}\t{stage}\t{kind}\t{cells}\t{depth}\t{flops}")
    pathlib.Path(args.o).write_text("\n".join(lines) + "\n")

    print(f"{'block':<20} {'stage':<13} {'kind':<6} {'cells':>7} {'depth':>6} {'flops':>6}")
    for (module, stage, kind), (cells, depth, flops) in zip(BLOCKS, results):
        print(f"{module:<20} {stage:<13} {kind:<6} {cells:>7} {depth:>6} {flops:>6}")
    print(f"written to {args.o}")


if __name__ == "__main__":
    main()
