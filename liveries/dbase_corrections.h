#pragma once
// The aircraft database knows the real airline, operator, type and role of
// many registrations. A scanned livery that carries such a registration as
// its ATC id takes them over, whatever its aircraft.cfg says.

// For each livery of liveryList with an ATC id that the database knows: the
// cargo flag, the airline (the operator when the database names one, else
// the airline) and the model become the database's, also when they are
// empty there. Each change is a line of dbaseUpdateLines:
//   "{:80} {} cargo {} => {}"  title, ATC id, old flag, new flag
//   "{:80} {} airl {} => {}"   title, ATC id, old airline, new airline
//   "{:80} {} model {} => {}"  title, ATC id, old model, new model
void lf_applyDbaseToLiveries();
