object Form1: TForm1
  ActiveControl = BitBtn2
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Nakładka dla programu "Tervalis" R12T'
  ClientHeight = 206
  ClientWidth = 666
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 185
    Height = 206
    Align = alLeft
    BevelOuter = bvNone
    Caption = ''
    Color = clNavy
    ParentColor = False
    TabOrder = 0
    object Image1: TImage
      Left = 8
      Top = 8
      Width = 32
      Height = 32
      Picture.Data = bitmap 'PictureA.bmp'
    end
    object Label1: TLabel
      Left = 54
      Top = 10
      Width = 100
      Height = 33
      AutoSize = True
      Caption = 'Tervalis'
      Font.Charset = EASTEUROPE_CHARSET
      Font.Color = clSilver
      Font.Height = -27
      Font.Name = 'Calibri'
      Font.Style = [fsBold, fsItalic]
      ParentFont = False
    end
    object Label2: TLabel
      Left = 52
      Top = 8
      Width = 100
      Height = 33
      AutoSize = True
      Caption = 'Tervalis'
      Font.Charset = EASTEUROPE_CHARSET
      Font.Color = clYellow
      Font.Height = -27
      Font.Name = 'Calibri'
      Font.Style = [fsBold, fsItalic]
      ParentFont = False
      Transparent = True
    end
    object Label3: TLabel
      Left = 8
      Top = 72
      Width = 109
      Height = 16
      AutoSize = True
      Caption = 'Nakładka R12T'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWhite
      Font.Height = -13
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold, fsUnderline]
      ParentFont = False
    end
    object Label4: TLabel
      Left = 8
      Top = 124
      Width = 63
      Height = 16
      AutoSize = True
      Caption = 'KVOREL'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWhite
      Font.Height = -13
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label5: TLabel
      Left = 8
      Top = 140
      Width = 144
      Height = 16
      AutoSize = True
      Caption = 'Zakład Informatyki'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWhite
      Font.Height = -13
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label6: TLabel
      Left = 10
      Top = 160
      Width = 164
      Height = 16
      AutoSize = True
      Caption = 'i Usług Pomiarowych'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWhite
      Font.Height = -13
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label7: TLabel
      Left = 10
      Top = 180
      Width = 120
      Height = 16
      AutoSize = True
      Caption = 'Sp. z o.o. Opole'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWhite
      Font.Height = -13
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Image2: TImage
      Left = 132
      Top = 56
      Width = 48
      Height = 48
      Picture.Data = bitmap 'PictureB.bmp'
      Transparent = True
    end
  end
  object Panel2: TPanel
    Left = 185
    Top = 0
    Width = 481
    Height = 206
    Align = alClient
    BevelOuter = bvNone
    Caption = ''
    TabOrder = 1
    object PageControl1: TPageControl
      Left = 0
      Top = 0
      Width = 481
      Height = 206
      ActivePage = TabSheet3
      Align = alClient
      TabOrder = 3
      object TabSheet1: TTabSheet
        PageControl = PageControl1
        TabVisible = False
        object StaticText2: TStaticText
          Left = 0
          Top = 4
          Width = 473
          Height = 153
          AutoSize = False
          Caption = ''
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clBlack
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
        end
      end
      object TabSheet2: TTabSheet
        PageControl = PageControl1
        TabVisible = False
        OnHide = TabSheet2Hide
        OnShow = TabSheet2Show
        object StaticText1: TStaticText
          Left = 4
          Top = 4
          Width = 407
          Height = 20
          AutoSize = True
          Caption = 'Trwa wyszukiwanie zainstalowanych składników programu.'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          TabOrder = 0
        end
        object StaticText3: TStaticText
          Left = 4
          Top = 28
          Width = 461
          Height = 101
          AutoSize = False
          Caption = 'Odnaleziono:'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 1
        end
        object Edit1: TEdit
          Left = 4
          Top = 132
          Width = 437
          Height = 21
          Enabled = False
          TabOrder = 2
          Text = ''
          Visible = False
        end
        object BitBtn5: TBitBtn
          Left = 442
          Top = 132
          Width = 25
          Height = 21
          Caption = '...'
          TabOrder = 3
          Visible = False
          OnClick = BitBtn5Click
        end
      end
      object TabSheet3: TTabSheet
        PageControl = PageControl1
        TabVisible = False
        OnShow = TabSheet3Show
        object StaticText6: TStaticText
          Left = 4
          Top = 4
          Width = 461
          Height = 125
          AutoSize = False
          Caption = ''
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
        end
        object BitBtn4: TBitBtn
          Left = 384
          Top = 166
          Width = 75
          Height = 25
          Caption = 'Zamknij.'
          TabOrder = 1
          OnClick = BitBtn4Click
        end
        object StaticText4: TStaticText
          Left = 4
          Top = 136
          Width = 461
          Height = 17
          AutoSize = False
          Caption = ' '
          TabOrder = 2
        end
      end
    end
    object BitBtn3: TBitBtn
      Left = 16
      Top = 172
      Width = 75
      Height = 25
      Caption = 'Anuluj'
      TabOrder = 2
      OnClick = BitBtn3Click
    end
    object BitBtn1: TBitBtn
      Left = 112
      Top = 172
      Width = 75
      Height = 25
      Caption = '<< Cofnij'
      Enabled = False
      TabOrder = 0
      OnClick = BitBtn1Click
    end
    object BitBtn2: TBitBtn
      Left = 204
      Top = 172
      Width = 75
      Height = 25
      Caption = 'Dalej >>'
      TabOrder = 1
      OnClick = BitBtn2Click
    end
  end
end
