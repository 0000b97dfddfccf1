#include "CustomControlProbe.h"

TProbeControl::TProbeControl(TComponent* AOwner) : THxCustomControl(AOwner) {}

TProbeForm::TProbeForm(TComponent* AOwner) : TForm(AOwner) {}
