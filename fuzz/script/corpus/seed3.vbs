If False Then
    Function Twice(x) : Twice = x * 2 End Function
End If
Function F(v)
    Dim a(2), r : a(1) = v
    Set r = GetRef("Twice")
    If a(1) => 1 Then a(1) = r(a(1)) Else a(1) = -a(1)^2 End If
    F = FormatNumber(a(1), , 0) & Escape(StrReverse(UCase("ab c"))) & &h10&
End Function
