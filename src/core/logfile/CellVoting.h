#pragma once
// How a controller makes its measured PPO2 from its three cells: the loader reads it this way and
// the simulator writes it this way, so a simulated log agrees with itself in both layouts.
// `excluded` holds one bit per cell as the status byte has them (0x01 cell 1, 0x02 cell 2,
// 0x04 cell 3); with all three excluded the setpoint stands in.
double VoteCells(const double* cells, unsigned excluded, double setpoint);
